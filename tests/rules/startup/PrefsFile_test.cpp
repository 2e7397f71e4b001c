// The settings file's entries as preferences and back: every preference the window can hold comes
// back from the file as it was, a file's bad entry leaves what stood, and the key map's lookups.
#include "prefs/KeyMap.h"
#include "startup/PrefsFile.h"

#include <QBuffer>
#include <array>
#include <random>
#include <gtest/gtest.h>

namespace {

SettingsFile::Values readBack(const Prefs &p)
{
    const QByteArray bytes = SettingsFile::write(PrefsFile::keys(), PrefsFile::write(p));
    return SettingsFile::read(bytes);
}

}  // namespace

TEST(PrefsFile, WhatIsWrittenIsReadBackTheSame)
{
    Prefs p;
    p.panelLeft = -1200;  // a screen left of the primary one
    p.panelTop = 450;
    p.overlayWidth = 777;
    p.overlayHeight = 55;
    p.font = {QStringLiteral("DejaVu Serif, Book"), 12.5, false, true, true, true, 0x0A0B0C};
    p.autoshow = p.hidden = p.transparent = true;
    p.overlayFrame = QStringLiteral("45, or so");
    p.panScan = QStringLiteral("7");
    p.fullscreen = p.autoplay = p.autoreverse = true;
    p.elapsed = p.time = false;
    p.lastDir = QStringLiteral("/films/Фильмы, \"映画\"/");
    p.skinFile = QStringLiteral("/skins/ my skin.jpg");
    p.keys[0] = QStringLiteral(",");
    p.keys[1] = QStringLiteral("\"");
    p.keys[2] = QStringLiteral("é");
    p.keys[20] = QString();
    const Prefs back = PrefsFile::read(readBack(p), Prefs{}, QStringLiteral("/app/"));
    Prefs expected = p;
    // Where the overlay stands is the windows' to settle; the file's reader leaves it.
    expected.overlayLeft = expected.overlayTop = 0;
    EXPECT_EQ(back, expected);
}

TEST(PrefsFile, EntriesThatDoNotConvertKeepWhatStood)
{
    Prefs base;
    base.font.size = 20;
    base.overlayWidth = 640;
    base.keys[3] = QStringLiteral("v");
    SettingsFile::Values v = readBack(base);
    v[SettingsFile::FontSize] = QStringLiteral("huge");
    v[SettingsFile::SubtitlesHsize] = QStringLiteral("0");
    v[SettingsFile::FirstKey + 3].reset();
    v[SettingsFile::LastDir].reset();
    v[SettingsFile::SkinFile].reset();
    const Prefs back = PrefsFile::read(v, base, QStringLiteral("/app/"));
    EXPECT_EQ(back.font.size, 20);
    EXPECT_EQ(back.overlayWidth, 640);
    EXPECT_EQ(back.keys[3], "v");
    EXPECT_EQ(back.lastDir, "/app/");
    EXPECT_EQ(back.skinFile, "NONE");
}

TEST(KeyMap, TheFirstBoxHoldingTheKeyExactlyWins)
{
    KeyMap::Keys keys = KeyMap::defaultKeys();
    keys[5] = QStringLiteral("P");  // bound twice: the earlier box wins
    keys[7] = QString();
    const struct {
        const char *key;
        int command;
    } cases[] = {{"P", KeyMap::PlayStop}, {"X", KeyMap::Exit}, {"p", -1}, {"", -1}, {"PX", -1}, {"L", -1}};
    for (const auto &c : cases)
        EXPECT_EQ(KeyMap::command(keys, QString::fromLatin1(c.key)), c.command) << c.key;
    EXPECT_EQ(KeyMap::captions()[KeyMap::Preferences], "Preferances");
}

TEST(PrefsFile, AnyValueTheWindowTakesComesBackFromTheFile)
{
    // Generated preferences, as the window and the overlay can hold them: keys of any one character
    // (Enter, Escape, beyond the first 65,536), texts as long as the box takes, sizes and places between
    // whole numbers and on screens left of or above the primary one.
    std::mt19937 random(20261210);
    const auto pick = [&](int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); };
    const auto character = [&]() -> QString {
        switch (pick(0, 4)) {
        case 0: return QStringLiteral("\r");
        case 1: return QStringLiteral("\x1b");
        case 2: return QString::fromUcs4(std::array<char32_t, 1>{char32_t(pick(0x1F300, 0x1F64F))}.data(), 1);
        case 3: return QString(QChar(pick(0xA0, 0xD7FF)));
        default: return QString(QChar(pick(0x20, 0x7E)));
        }
    };
    // A text box's text: no control character gets in, a pair of units is never cut.
    const auto text = [&](int longest) {
        QString t;
        for (int n = pick(0, longest); t.size() < n;) {
            QString c = pick(0, 9) == 0 ? QStringLiteral(", \"") : character();
            if (c.front().category() != QChar::Other_Control && t.size() + c.size() <= longest)
                t += c;
        }
        return t;
    };
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        Prefs p;
        p.panelLeft = pick(-3840, 3840) * 15.0;
        p.panelTop = pick(-2160, 2160) * 15.0;
        p.overlayWidth = pick(1, 4000);
        p.overlayHeight = pick(1, 2000);
        p.font.family = QStringLiteral("Liberation Serif");
        p.font.size = pick(10, 16380) / 10.0;
        p.font.colour = unsigned(pick(0, 0xFFFFFF));
        p.font.bold = pick(0, 1);
        p.autoplay = pick(0, 1);
        p.elapsed = pick(0, 1);
        p.overlayFrame = text(pick(0, 1) ? 40 : SettingsFile::kMaxTextLength);
        p.panScan = text(3);
        // A folder the user confirmed: never empty, the start puts the program folder there.
        p.lastDir = QStringLiteral("/films/") + text(40);
        for (QString &key : p.keys)
            key = pick(0, 6) == 0 ? QString() : character();
        const Prefs back = PrefsFile::read(readBack(p), Prefs{}, QStringLiteral("/app/"));
        p.overlayLeft = p.overlayTop = 0;
        EXPECT_EQ(back.keys, p.keys);
        EXPECT_EQ(back.font, p.font);
        EXPECT_EQ(back.overlayFrame.size(), p.overlayFrame.size());
        EXPECT_EQ(back.panScan, p.panScan);
        EXPECT_EQ(back, p);
    }
}
