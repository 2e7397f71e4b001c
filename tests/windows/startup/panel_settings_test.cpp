// The settings file through real exits and starts of the panel: every entry survives, the stored
// file's exact format is read, and files that are short, long or corrupt still start a usable program.
#include "support/PanelFixture.h"
#include "support/TestFiles.h"
#include "support/UserFolders.h"
#include "support/UserLocale.h"

#include "startup/ProgramFolder.h"
#include "subtitles/subtitles.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <array>
#include <gtest/gtest.h>

namespace {

// A run started in another run's program folder.
struct NextRun : PanelFixture {
    explicit NextRun(const QString &folder)
    {
        app.programFolder = folder;
        app.appPath = folder + QLatin1Char('/');
    }
};

// The file as the older rule wrote it: the 8-bit code page, nothing quoted.
QByteArray storedFile(const QByteArray &top, const QByteArray &left, const QByteArray &keyP)
{
    return "Vistrel top,1500\r\nVistrel left,3000\r\nSubtitles Hsize,600\r\nSubtitles Vsize,100\r\n"
           "Subtitles top," + top + "\r\nSubtitles left," + left + "\r\nfont name,Times New Roman\r\n"
           "font size,20\r\nfont color,255\r\nfont bold,0\r\nfont italic,-1\r\nfont underline,0\r\n"
           "font strike,-1\r\nAuto Show Subtitles,1\r\nHide Subtitles,0\r\nTransparent Subtitles,1\r\n"
           "Overlay Initialize Frame,40\r\nPan & Scan Ratio,8\r\nStart fullscreen,0\r\nAutoStart,1\r\n"
           "Autoreverse,1\r\nElapsed vs Remain,0\r\nTime vs frames,-1\r\nlast dir,C:\\Fran\xE7ois\\\r\n"
           "Skin file,/gone/skin.jpg\r\nplay/stop," + keyP + "\r\nVolume up,+\r\nVolume down,-\r\n"
           "Open Video,V\r\nOpen Audio,A\r\nOpen Subtitles,S\r\nOpen Quick ini,Q\r\nSelect Specials,L\r\n"
           "Select Chapters,N\r\nCD run,C\r\nZoom,Z\r\nPreferances,R\r\nStatistics,T\r\nMove to start,B\r\n"
           "Move to end,E\r\nKey Config,K\r\nMute, \r\nFaster Rate,*\r\nSlower Rate,/\r\nMinimize,M\r\n"
           "EXIT,X\r\n";
}

}  // namespace

TEST(PanelSettings, EveryEntrySurvivesAnExitAndAStart)
{
    QTemporaryDir folder;
    {
        NextRun first(folder.path());
        first.panel.Form_Load();
        Settings &s = first.settings;
        subtitles &o = *first.panel.overlay();
        first.panel.move(40, 60);
        s.subsizeH->setValue(500);
        s.subsizeV->setValue(80);
        o.show();
        o.move(123, 456);  // dragged after the resize centred it
        SubtitleFont font;
        font.family = QStringLiteral("DejaVu Serif");
        font.size = 24;
        font.bold = false;
        font.italic = font.underline = font.strike = true;
        font.colour = 0x030201;
        first.prefs.set(&Prefs::font, font);
        for (QCheckBox *box : {s.Autosub, s.Hidesub, s.Transsub, s.fullscreen, s.Autoplay, s.autoreverse})
            box->setChecked(true);
        s.OverlayFrame->setText(QStringLiteral("45"));
        s.Panscan->setText(QStringLiteral("7"));
        s.Remaining->setChecked(true);
        s.Frames->setChecked(true);
        first.prefs.set(&Prefs::lastDir, QStringLiteral("/films/Фильмы, 映画/"));
        first.prefs.set(&Prefs::skinFile, QStringLiteral("/gone/skin, old.jpg"));
        s.Text1[0]->setText(QStringLiteral(","));
        s.Text1[1]->setText(QStringLiteral("\""));
        s.Text1[2]->setText(QStringLiteral(" "));
        s.Text1[20]->setText(QString());
        first.panel.Form_Unload(0);
    }
    NextRun next(folder.path());
    next.panel.Form_Load();
    Settings &s = next.settings;
    subtitles &o = *next.panel.overlay();
    EXPECT_EQ(next.panel.pos(), QPoint(40, 60));
    EXPECT_EQ(o.size(), QSize(500, 80));
    EXPECT_EQ(o.pos(), QPoint(123, 456));
    EXPECT_EQ(next.prefs.values().overlayLeft, 123 * 15);
    EXPECT_EQ(next.prefs.values().overlayTop, 456 * 15);
    EXPECT_EQ(s.subsizeH->value(), 500);
    EXPECT_EQ(s.subsizeV->value(), 80);
    const QFont f1 = o.Label1->font(), f2 = o.Label2->font();
    for (const QFont &f : {f1, f2}) {
        EXPECT_EQ(f.family(), "DejaVu Serif");
        EXPECT_EQ(f.pointSize(), 24);
        EXPECT_TRUE(f.italic() && f.underline() && f.strikeOut());
    }
    EXPECT_FALSE(f1.bold());
    EXPECT_TRUE(f2.bold());  // always bold
    EXPECT_EQ(o.Label1->palette().color(QPalette::WindowText), QColor(1, 2, 3));
    EXPECT_EQ(o.Label2->palette().color(QPalette::WindowText), QColor(Qt::white));
    for (QCheckBox *box : {s.Autosub, s.Hidesub, s.Transsub, s.fullscreen, s.Autoplay, s.autoreverse})
        EXPECT_TRUE(box->isChecked()) << box->objectName().toStdString();
    // The restored "Hide Subtitles." hides the overlay and leaves nothing to size.
    EXPECT_TRUE(next.prefs.values().hidden);
    EXPECT_FALSE(o.isVisible());
    EXPECT_FALSE(s.subsizeH->isEnabled());
    EXPECT_EQ(ctl(next.panel, "Message")->text(), "Fullscreen mode");
    EXPECT_EQ(s.OverlayFrame->text(), "45");
    EXPECT_EQ(s.Panscan->text(), "7");
    EXPECT_TRUE(s.Remaining->isChecked());
    EXPECT_TRUE(s.Frames->isChecked());
    EXPECT_EQ(next.prefs.values().lastDir, QStringLiteral("/films/Фильмы, 映画/"));
    EXPECT_EQ(next.prefs.values().skinFile, QStringLiteral("/gone/skin, old.jpg"));
    EXPECT_EQ(s.Text1[0]->text(), ",");
    EXPECT_EQ(s.Text1[1]->text(), "\"");
    EXPECT_EQ(s.Text1[2]->text(), " ");
    EXPECT_EQ(s.Text1[20]->text(), "");
    EXPECT_EQ(s.Text1[3]->text(), "V");
    EXPECT_TRUE(next.dialogs.shown.empty());
    EXPECT_TRUE(readAll(next.path("kelmora.log")).contains("\r\nOpened cfg\r\ncfg closed\r\n"));
    next.panel.Form_Unload(0);
}

TEST(PanelSettings, TheOlderRulesFileIsReadAsWritten)
{
    const UserLocale user{QLocale(QLocale::English, QLocale::UnitedStates)};
    PanelFixture f;  // 1024 x 768 pixels: 15360 x 11520 twips
    writeFile(f.path("kelmora.cfg"), storedFile("20000", "20000", "p"));
    f.panel.Form_Load();
    subtitles &o = *f.panel.overlay();
    EXPECT_EQ(f.panel.pos(), QPoint(200, 100));
    // Past the bottom: back by the whole height; past the right: back by half the width.
    EXPECT_EQ(f.prefs.values().overlayTop, 11520 - 1500);
    EXPECT_EQ(f.prefs.values().overlayLeft, 15360 - 4500);
    EXPECT_EQ(o.pos(), QPoint(724, 668));
    EXPECT_EQ(o.Label1->font().family(), "Times New Roman");
    EXPECT_EQ(o.Label1->font().pointSize(), 20);
    EXPECT_TRUE(o.Label1->font().italic() && o.Label1->font().strikeOut());
    EXPECT_FALSE(o.Label1->font().bold());
    EXPECT_EQ(o.Label1->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_TRUE(f.settings.Autosub->isChecked() && f.settings.Transsub->isChecked());
    EXPECT_EQ(f.settings.OverlayFrame->text(), "40");
    EXPECT_EQ(ctl(f.panel, "Message")->text(), "Window mode");
    EXPECT_TRUE(f.settings.Remaining->isChecked());
    EXPECT_TRUE(f.settings.Time->isChecked());
    EXPECT_EQ(f.prefs.values().lastDir, QStringLiteral("C:\\François\\"));
    // A skin that is gone: the built-in look, the name kept, no message.
    EXPECT_EQ(f.prefs.values().skinFile, "/gone/skin.jpg");
    EXPECT_TRUE(f.dialogs.shown.empty());
    EXPECT_EQ(f.settings.Text1[0]->text(), "p");  // edited keys read the same; lower case as typed
    EXPECT_EQ(f.settings.Text1[16]->text(), "");  // a blank reads back empty
    f.panel.Form_Unload(0);
    EXPECT_TRUE(readAll(f.path("kelmora.cfg")).contains("\r\nSkin file,/gone/skin.jpg\r\nplay/stop,p\r\n"));
}

TEST(PanelSettings, BadEntriesKeepTheirDefaultsAndBothWindowsStayReachable)
{
    const struct {
        const char *name;
        QByteArray bytes;
    } files[] = {
        {"empty", ""},
        {"short", "Vistrel top,1500\r\nVistrel left,3000\r\n"},
        {"numbers out of range",
         storedFile("-99999", "-99999", "P").replace("Subtitles Hsize,600", "Subtitles Hsize,0")
             .replace("Subtitles Vsize,100", "Subtitles Vsize,-5").replace("Vistrel top,1500", "Vistrel top,abc")
             .replace("font size,20", "font size,huge").replace("Start fullscreen,0", "Start fullscreen,7")},
        {"far right and below", storedFile("1e6", "15000", "P").replace("Vistrel left,3000", "Vistrel left,99999")
                                    .replace("Subtitles Hsize,600", "Subtitles Hsize,5000")},
        {"long", storedFile("0", "0", "P") + "extra,1\r\nmore,2\r\n"},
        {"binary", QByteArray("\0\xff\r\n\"\",\"\r\n,,,\r\n\xfe\xfe", 17)},
    };
    for (const auto &file : files) {
        SCOPED_TRACE(file.name);
        PanelFixture f;
        writeFile(f.path("kelmora.cfg"), file.bytes);
        f.panel.Form_Load();
        subtitles &o = *f.panel.overlay();
        const QRect screen(0, 0, 1024, 768);
        EXPECT_TRUE(screen.contains(f.panel.frameGeometry()));
        EXPECT_GE(o.width(), 1);
        EXPECT_GE(o.height(), 1);
        EXPECT_TRUE(screen.contains(QRect(o.pos(), QSize(o.width() / 2, o.height()))));
        f.panel.Form_Unload(0);
    }
    // Each bad entry alone keeps its default; the rest apply.
    PanelFixture f;
    writeFile(f.path("kelmora.cfg"), storedFile("3000", "-99999", "P").replace("Vistrel top,1500", "Vistrel top,abc")
                                         .replace("Subtitles Hsize,600", "Subtitles Hsize,0")
                                         .replace("font size,20", "font size,huge"));
    f.panel.Form_Load();
    EXPECT_EQ(f.panel.pos(), QPoint(200, 0));
    EXPECT_EQ(f.panel.overlay()->width(), 600);
    EXPECT_EQ(f.prefs.values().overlayTop, 3000);
    EXPECT_EQ(f.prefs.values().overlayLeft, 0);
    EXPECT_EQ(f.panel.overlay()->Label1->font().pointSize(), 18);
    EXPECT_EQ(f.panel.overlay()->Label1->font().family(), "Times New Roman");
    f.panel.Form_Unload(0);
}

TEST(PanelSettings, AFailedSaveKeepsTheOldFileAndTheRunEndsInOrder)
{
    const UserFolders folders;
    const QString user = ProgramFolder::configFolder();
    ASSERT_FALSE(user.isEmpty());
    const struct {
        const char *name;
        bool userFileIsAFolder;
        const char *logEnd;
    } cases[] = {
        // A folder where the file should be: the settings go to the per-user file instead.
        {"program folder's file is a folder", false, "No cfg\r\nCreated cfg\r\nExiting\r\n"},
        // Nowhere to write: the log says so and the run still ends in order.
        {"both are folders", true, "Created cfg\r\ncfg not saved: "},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(user + "kelmora.cfg");
        QDir(user).rmdir(QStringLiteral("kelmora.cfg"));
        if (c.userFileIsAFolder) {
            ASSERT_TRUE(QDir(user).mkdir(QStringLiteral("kelmora.cfg")));
        }
        PanelFixture f;
        ASSERT_TRUE(QDir(f.folder.path()).mkdir("kelmora.cfg"));
        f.panel.Form_Load();
        f.panel.Form_Unload(0);
        EXPECT_TRUE(QFileInfo(f.path("kelmora.cfg")).isDir());
        const QByteArray log = readAll(f.path("kelmora.log"));
        EXPECT_TRUE(log.contains(c.logEnd)) << log.toStdString();
        EXPECT_TRUE(log.endsWith("Exiting\r\n"));
        EXPECT_EQ(QFileInfo(user + "kelmora.cfg").isFile(), !c.userFileIsAFolder);
        EXPECT_EQ(readAll(user + "kelmora.cfg").count("\r\n"), c.userFileIsAFolder ? 0 : 46);
    }
}

// A file of random bytes, as a damaged disk leaves it: the program starts with the defaults of every
// entry that does not convert and writes back 46 clean lines.
TEST(PanelSettings, RandomBytesStartWithDefaultsAndAreWrittenBackClean)
{
    QRandomGenerator random(22);
    QByteArray noise(5 * 1024 * 1024, Qt::Uninitialized);
    for (char &c : noise)
        c = char(random.bounded(256));
    const struct {
        const char *name;
        QByteArray bytes;
    } files[] = {
        {"random bytes", noise},
        {"a 5 MB font name", storedFile("0", "0", "P").replace("font name,Times New Roman",
                                                               "font name," + QByteArray(5 * 1024 * 1024, 'T'))},
        {"control characters in every text", storedFile("0", "0", "\x01").replace("Times New Roman", "Times\x02Roman")
                                                  .replace("C:\\Fran\xE7ois\\", "C:\\\x7F")},
    };
    for (const auto &file : files) {
        SCOPED_TRACE(file.name);
        PanelFixture f;
        writeFile(f.path("kelmora.cfg"), file.bytes);
        f.panel.Form_Load();
        f.panel.Form_Unload(0);
        const QByteArray written = readAll(f.path("kelmora.cfg"));
        EXPECT_LT(written.size(), 4096);
        const QList<QByteArray> lines = written.split('\n');
        ASSERT_EQ(lines.size(), 47);
        for (const QByteArray &line : lines.first(46)) {
            ASSERT_TRUE(line.endsWith('\r'));
            const QString text = QString::fromUtf8(line.chopped(1));
            EXPECT_FALSE(std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; }))
                << line.toHex().toStdString();
        }
    }
    // The next line after a 5 MB one is still the next entry.
    PanelFixture f;
    writeFile(f.path("kelmora.cfg"),
              storedFile("0", "0", "P").replace("font name,Times New Roman", "font name," + QByteArray(5 << 20, 'T')));
    f.panel.Form_Load();
    EXPECT_EQ(f.panel.overlay()->Label1->font().pointSize(), 20);
    EXPECT_NE(f.panel.overlay()->Label1->font().family().size(), 16 * 1024 - 10);
    EXPECT_EQ(f.settings.Text1[1]->text(), "+");
    EXPECT_EQ(f.prefs.values().skinFile, "/gone/skin.jpg");
    f.panel.Form_Unload(0);
}

TEST(PanelSettings, AFontNameStoredWithAFoundryTagFindsItsFamilyAndIsStoredWithout)
{
    struct Case {
        const char *stored, *family;
    } cases[] = {{"Liberation Serif [1ASC]", "Liberation Serif"}, {"C059 [urw]", "C059"}, {"Times New Roman", "Times New Roman"}};
    for (const Case &c : cases) {
        PanelFixture f;
        QByteArray file = storedFile("3000", "3000", "P");
        file.replace("font name,Times New Roman", QByteArray("font name,") + c.stored);
        writeFile(f.path("kelmora.cfg"), file);
        f.panel.Form_Load();
        EXPECT_EQ(f.panel.overlay()->Label1->font().family(), QString::fromLatin1(c.family)) << c.stored;
        EXPECT_EQ(f.panel.overlay()->Label2->font().family(), QString::fromLatin1(c.family)) << c.stored;
        f.panel.Form_Unload(0);
        EXPECT_TRUE(readAll(f.path("kelmora.cfg")).contains(QByteArray("\r\nfont name,") + c.family + "\r\n")) << c.stored;
    }
}

TEST(PanelSettings, KeysAnyScreenAndFractionalSizesSurviveAnExitAndAStart)
{
    QTemporaryDir folder;
    const QList<QRect> leftAndAbove{{-1280, 0, 1280, 1024}, {0, -768, 1024, 768}};
    {
        NextRun first(folder.path());
        first.desktop.otherScreens = leftAndAbove;
        first.panel.Form_Load();
        Settings &s = first.settings;
        // Enter and Escape typed into a key box are the keys; so is a character beyond the first 65,536.
        QTest::keyClick(s.Text1[0], Qt::Key_Return);
        QTest::keyClick(s.Text1[1], Qt::Key_Escape);
        s.Text1[2]->setText(QString::fromUcs4(std::array<char32_t, 1>{U'\U0001F3AC'}.data(), 1));
        QTest::keyClicks(s.Text1[3], QStringLiteral("ab"));  // refused: one character a box
        SubtitleFont font = first.prefs.values().font;
        font.size = 13.5;
        first.prefs.set(&Prefs::font, font);
        subtitles &o = *first.panel.overlay();
        o.show();
        o.move(-1000, 100);  // dragged onto the screen left of the primary one
        first.panel.move(200, -600);  // the panel on the screen above it
        first.panel.Form_Unload(0);
    }
    NextRun next(folder.path());
    next.desktop.otherScreens = leftAndAbove;
    next.panel.Form_Load();
    const Settings &s = next.settings;
    EXPECT_EQ(s.Text1[0]->text(), "\r");
    EXPECT_EQ(s.Text1[1]->text(), "\x1b");
    EXPECT_EQ(s.Text1[2]->text().toUcs4(), QList<uint>{0x1F3AC});
    EXPECT_EQ(s.Text1[3]->text(), "V");
    EXPECT_EQ(next.prefs.values().font.size, 13.5);
    EXPECT_EQ(next.panel.overlay()->Label1->font().pointSizeF(), 13.5);
    EXPECT_EQ(next.panel.overlay()->pos(), QPoint(-1000, 100));
    EXPECT_EQ(next.panel.pos(), QPoint(200, -600));
    // The keys work as bound.
    next.openMovie();
    next.panel.Form_KeyPress(QStringLiteral("\r"));
    EXPECT_TRUE(next.session.isPlaying()) << "Enter gives play/stop";
    next.panel.Form_Unload(0);
}
