// The panel's skin: a chosen picture over the black background from the top left, unscaled; files
// that give no picture change nothing; "Default Skin" waits for the next start.
#include "support/PanelFixture.h"
#include "support/TestFiles.h"

#include "browse/Browsefrm.h"

#include <QBuffer>
#include <QDir>
#include <QPushButton>
#include <cstdint>
#include <gtest/gtest.h>

namespace {

const QColor kSkinColour(200, 40, 40);

bool near(QRgb c, const QColor &want)
{
    return std::abs(qRed(c) - want.red()) < 24 && std::abs(qGreen(c) - want.green()) < 24
           && std::abs(qBlue(c) - want.blue()) < 24;
}

// A one-colour picture written in `format`, whatever the file's name says. Qt writes no GIF, so that
// one is a copy of a committed 200 x 60 picture.
QString writePicture(const PanelFixture &f, const QString &name, QSize size, const char *format)
{
    const QString path = f.path(name);
    if (qstrcmp(format, "GIF") == 0) {
        EXPECT_EQ(size, QSize(200, 60));
        EXPECT_TRUE(QFile::copy(QStringLiteral(VISTREL_TEST_SOURCE_DIR "/windows/prefs/skin_200x60.gif"), path));
        return path;
    }
    QImage img(size, QImage::Format_RGB32);
    img.fill(kSkinColour);
    EXPECT_TRUE(img.save(path, format)) << name.toStdString();
    return path;
}

QImage shown(Panelfrm &panel)
{
    return panel.grab().toImage();
}

}  // namespace

TEST(PanelSkin, PictureIsDrawnUnscaledFromTheTopLeftOverBlack)
{
    struct Case {
        const char *name;
        QSize size;
        const char *format;
    };
    // The panel is 481 x 139 pixels; a PNG under a bitmap's name is read by its content.
    const Case cases[] = {{"small.gif", {200, 60}, "GIF"},
                          {"small.jpg", {200, 60}, "JPG"},
                          {"large.bmp", {900, 400}, "BMP"},
                          {"png-inside.bmp", {200, 60}, "PNG"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PanelFixture f;
        const QString file = writePicture(f, QString::fromLatin1(c.name), c.size, c.format);
        EXPECT_TRUE(f.panel.loadSkin(file));
        EXPECT_EQ(f.prefs.values().skinFile, file);
        EXPECT_TRUE(f.dialogs.shown.empty());
        const QImage img = shown(f.panel);
        ASSERT_EQ(img.size(), QSize(481, 139));
        EXPECT_TRUE(near(img.pixel(2, 2), kSkinColour));
        const bool small = c.size.width() < 481;
        // Right and bottom of a small picture the background shows; a large one reaches both edges.
        EXPECT_EQ(near(img.pixel(c.size.width() + 5, 2), Qt::black), small);
        EXPECT_EQ(near(img.pixel(2, c.size.height() + 5), Qt::black), small);
        EXPECT_EQ(near(img.pixel(480, 138), kSkinColour), !small);
        EXPECT_LE(f.panel.picture().width(), 481);
    }
}

TEST(PanelSkin, FilesThatGiveNoPictureChangeNothing)
{
    PanelFixture f;
    const QString skin = writePicture(f, QStringLiteral("skin.jpg"), {100, 40}, "JPG");
    ASSERT_TRUE(f.panel.loadSkin(skin));
    const qint64 picture = f.panel.picture().cacheKey();

    QFile text(f.path("notes.jpg"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture\r\n");
    text.close();
    QFile cut(f.path("cut.gif"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write("GIF89a\x10\x00");
    cut.close();
    QDir(f.folder.path()).mkdir(QStringLiteral("folder.bmp"));

    // Files that are there but are no picture get a message naming them; "NONE", a path with no file
    // behind it (a skin deleted since the last run) and a folder are passed over silently.
    const struct {
        QString file;
        bool message;
    } cases[] = {{f.path("notes.jpg"), true}, {f.path("cut.gif"), true},  {QStringLiteral("NONE"), false},
                 {f.path("gone.jpg"), false}, {QString(), false},         {f.path("folder.bmp"), false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        f.dialogs.shown.clear();
        EXPECT_FALSE(f.panel.loadSkin(c.file));
        EXPECT_EQ(f.prefs.values().skinFile, skin);
        EXPECT_EQ(f.panel.picture().cacheKey(), picture);
        ASSERT_EQ(f.dialogs.shown.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_TRUE(f.dialogs.shown[0].text.contains(QDir::toNativeSeparators(c.file)));
        }
    }
}

TEST(PanelSkin, DefaultSkinKeepsThePictureUntilTheNextStart)
{
    PanelFixture f;
    const qint64 builtin = f.panel.picture().cacheKey();
    f.settings.LoadSkin->click();
    EXPECT_EQ(f.panel.browseDialog()->mode(), 5);

    const QString skin = writePicture(f, QStringLiteral("skin.bmp"), {100, 40}, "BMP");
    ASSERT_TRUE(f.panel.loadSkin(skin));
    const qint64 chosen = f.panel.picture().cacheKey();
    f.settings.DefaultSkin->click();
    EXPECT_EQ(f.prefs.values().skinFile, "NONE");
    EXPECT_EQ(f.dialogs.texts(), QStringList{"Now you must restart the player"});
    EXPECT_EQ(f.panel.picture().cacheKey(), chosen);
    EXPECT_NE(chosen, builtin);

    // The next start: "NONE" is never loaded, the built-in picture stays.
    PanelFixture next;
    next.prefs.set(&Prefs::skinFile, QStringLiteral("NONE"));
    EXPECT_FALSE(next.panel.loadSkin(next.prefs.values().skinFile));
    EXPECT_TRUE(next.dialogs.shown.empty());
    EXPECT_EQ(next.panel.picture().toImage().convertToFormat(QImage::Format_RGB32),
              QImage(QStringLiteral(":/skin/builtin.jpg")).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(next.panel.picture().size(), QSize(473, 125));
}

namespace {

std::uint32_t crc32(const QByteArray &bytes)
{
    std::uint32_t crc = 0xFFFFFFFF;
    for (char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

// A whole, valid PNG whose header claims `size`: a decoder would allocate for all of it before
// finding that its data is a few bytes.
QByteArray claimedPng(QSize size)
{
    QImage small(1, 1, QImage::Format_RGB32);
    small.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    small.save(&buffer, "PNG");
    // IHDR: length at 8, type at 12, width and height at 16 and 20, checksum of type and data at 29.
    const auto put = [&png](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            png[at + i] = char(v >> (24 - 8 * i));
    };
    put(16, std::uint32_t(size.width()));
    put(20, std::uint32_t(size.height()));
    put(29, crc32(png.mid(12, 17)));
    return png;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

// A copy cut short is refused, whatever its decoder makes of it, and so is a picture too large to
// decode; the panel keeps its picture and skinFile its path. A large picture that is whole shows its
// top left part.
TEST(PanelSkin, PicturesCutShortOrTooLargeAreRefused)
{
    PanelFixture f;
    const QString skin = writePicture(f, QStringLiteral("skin.jpg"), {100, 40}, "JPG");
    ASSERT_TRUE(f.panel.loadSkin(skin));
    const qint64 picture = f.panel.picture().cacheKey();
    const QByteArray png = fileBytes(writePicture(f, QStringLiteral("whole.png"), {300, 100}, "PNG"));
    const QByteArray bmp = fileBytes(writePicture(f, QStringLiteral("whole.bmp"), {300, 100}, "BMP"));
    const QByteArray jpg = fileBytes(writePicture(f, QStringLiteral("whole.jpg"), {300, 100}, "JPG"));
    const QByteArray gif = fileBytes(writePicture(f, QStringLiteral("whole.gif"), {200, 60}, "GIF"));
    const struct {
        const char *name;
        QByteArray bytes;
        const char *reason;
    } cases[] = {
        {"cut.png", png.left(png.size() * 2 / 3), "incomplete"},
        {"no-end.png", png.chopped(12), "incomplete"},
        {"cut.bmp", bmp.chopped(3), "incomplete"},
        {"header-only.bmp", bmp.left(54), "incomplete"},
        {"cut.jpg", jpg.left(jpg.size() * 2 / 3), "incomplete"},
        {"no-end.jpg", jpg.chopped(2), "incomplete"},
        {"cut.gif", gif.left(gif.size() * 2 / 3), "incomplete"},
        {"bomb.png", claimedPng({100000, 100000}), "too large: 100000 x 100000 pixels"},
        {"square.png", claimedPng({30000, 30000}), "too large: 30000 x 30000 pixels"},
        // Past what the decoder takes at all: refused by it.
        {"wide.png", claimedPng({1 << 30, 1}), ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = f.path(QString::fromLatin1(c.name));
        writeFile(path, c.bytes);
        f.dialogs.shown.clear();
        EXPECT_FALSE(f.panel.loadSkin(path));
        EXPECT_EQ(f.prefs.values().skinFile, skin);
        EXPECT_EQ(f.panel.picture().cacheKey(), picture);
        ASSERT_EQ(f.dialogs.shown.size(), 1u);
        EXPECT_TRUE(f.dialogs.shown[0].text.startsWith("Cannot load the skin picture " + QDir::toNativeSeparators(path)));
        EXPECT_TRUE(f.dialogs.shown[0].text.contains(QLatin1String(c.reason))) << f.dialogs.shown[0].text.toStdString();
    }

    // Whole files of each kind, and a GIF without only its last byte, the trailer: all of its picture.
    for (const char *name : {"whole.png", "whole.bmp", "whole.jpg", "whole.gif"})
        EXPECT_TRUE(f.panel.loadSkin(f.path(QString::fromLatin1(name)))) << name;
    writeFile(f.path("no-trailer.gif"), gif.chopped(1));
    EXPECT_TRUE(f.panel.loadSkin(f.path("no-trailer.gif")));
}

TEST(PanelSkin, APictureLargerThanTheDecodersDefaultLimitShowsItsTopLeft)
{
    PanelFixture f;
    // 8200 x 8200 in 32 bits is past the 256 MB an image reader allows by default.
    const QString big = writePicture(f, QStringLiteral("big.png"), {8200, 8200}, "PNG");
    ASSERT_TRUE(f.panel.loadSkin(big));
    EXPECT_TRUE(f.dialogs.shown.empty());
    EXPECT_EQ(f.prefs.values().skinFile, big);
    const QImage picture = f.panel.picture().toImage();
    EXPECT_LE(picture.width(), f.panel.width() * 2);
    EXPECT_TRUE(near(shown(f.panel).pixel(10, 10), kSkinColour));
}
