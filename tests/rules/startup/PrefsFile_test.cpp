// The settings file's entries as preferences and back: every preference the window can hold comes
// back from the file as it was, a file's bad entry leaves what stood, and the key map's lookups.
#include "prefs/KeyMap.h"
#include "startup/PrefsFile.h"

#include <QBuffer>
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
    v[SettingsFile::FirstKey + 3] = QStringLiteral("\x01");  // no key types a control character
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
