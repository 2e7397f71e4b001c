// The windows at one and at two device pixels to a pixel, with only the fonts the install script
// installs and with more: the same twip layout, every caption inside its control at one size per
// window, the panel's built-in picture drawn from its twice-size source and a user's skin scaled with
// the panel. The scale and the fonts are fixed when a process starts, so those checks run in child
// processes of this test program.
#include "support/Clipping.h"
#include "support/PanelFixture.h"

#include "browse/Browsefrm.h"
#include "disc/SelectFrm.h"
#include "prefs/fontselfrm.h"
#include "subtitles/subtitles.h"

#include <QApplication>
#include <QFontDatabase>
#include <QTemporaryDir>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

bool atScaleTwo()
{
    return qApp->devicePixelRatio() == 2;
}

// The test program again with `env` added, running `filter`; its output when it fails.
std::string runChild(const QStringList &env, const QString &filter, int expectPassed)
{
    QProcess child;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (const QString &pair : env)
        e.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
    child.setProcessEnvironment(e);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=") + filter});
    if (!child.waitForFinished(120000))
        return "did not finish";
    const QByteArray out = child.readAll();
    const QByteArray passed = "[  PASSED  ] " + QByteArray::number(expectPassed) + " test";
    return child.exitCode() == 0 && out.contains(passed) ? std::string() : out.toStdString();
}

// A font configuration of the test's own: the install script's font packages, plus every installed
// font for the richer set.
QString fontConfig(const QTemporaryDir &dir, bool rich)
{
    const QString path = dir.filePath(rich ? QStringLiteral("rich.conf") : QStringLiteral("lean.conf"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
            "<dir>/usr/share/fonts/truetype/liberation2</dir>\n<dir>/usr/share/fonts/truetype/liberation</dir>\n");
    if (rich)
        f.write("<dir>/usr/share/fonts</dir>\n<dir>/usr/local/share/fonts</dir>\n");
    f.write("<cachedir>" + dir.filePath(QStringLiteral("cache")).toUtf8() + "</cachedir>\n"
            "<include ignore_missing=\"yes\">/etc/fonts/conf.d</include>\n</fontconfig>\n");
    return path;
}

}  // namespace

TEST(CaptionsFit, PanelSettingsOverlayAndFontDialog)
{
    // Started with only the install script's fonts, the process sees nothing else.
    if (qEnvironmentVariable("VISTREL_FONT_SET") == QLatin1String("lean")) {
        const QStringList generic{QStringLiteral("Monospace"), QStringLiteral("Sans Serif"), QStringLiteral("Serif")};
        for (const QString &family : QFontDatabase::families())
            EXPECT_TRUE(family.startsWith(QLatin1String("Liberation")) || generic.contains(family)) << family.toStdString();
    }
    PanelFixture f;
    auto *overlay = new subtitles(f.prefs, f.desktop, f.dialogs);
    f.panel.attachOverlay(overlay);
    overlay->setCaption(QStringLiteral("A subtitle line"));
    overlay->show();
    f.settings.fontsel->click();
    ASSERT_TRUE(f.settings.fontDialog);
    fontselfrm &font = *f.settings.fontDialog;
    f.panel.showBrowse(4, QStringLiteral("Locate Subtitles"));
    SelectFrm select(f.session, 15, 15, nullptr);
    const QString at = QStringLiteral(" at scale %1 with the %2 fonts")
                           .arg(qApp->devicePixelRatio())
                           .arg(qEnvironmentVariable("VISTREL_FONT_SET", QStringLiteral("machine's")));

    struct Window {
        QWidget *window;
        QSet<const QWidget *> leaveOut;
    };
    const Window dialogs[] = {{&f.settings, {}}, {&font, {font.Label1}}, {f.panel.browseDialog(), {}}, {&select, {}}};
    for (const Window &d : dialogs) {
        // Whole at their size: none had to be cut short.
        for (const QWidget *w : d.window->findChildren<QWidget *>())
            EXPECT_FALSE(w->property("text").toString().contains(QChar(0x2026))) << w->objectName().toStdString() << at.toStdString();
        EXPECT_EQ(Clipping::clipped(d.window, d.leaveOut).join(QLatin1Char('\n')).toStdString(), "") << at.toStdString();
        const QList<double> sizes = Clipping::captionSizes(d.window, d.leaveOut);
        ASSERT_EQ(sizes.size(), 1) << d.window->objectName().toStdString() << at.toStdString();
        EXPECT_GE(sizes[0], 7) << d.window->objectName().toStdString() << at.toStdString();
    }
    // The panel's labels are lower than a line of text: there the letters themselves must fit.
    EXPECT_EQ(Clipping::clipped(&f.panel, {}, false).join(QLatin1Char('\n')).toStdString(), "") << at.toStdString();
    EXPECT_EQ(Clipping::clipped(overlay).join(QLatin1Char('\n')).toStdString(), "") << at.toStdString();
    // The buttons share one size, and the rate marks theirs.
    for (const auto &group : {std::vector<QWidget *>{ctl(f.panel, "vplay"), ctl(f.panel, "cmdzoom"), ctl(f.panel, "Mutesnd"), ctl(f.panel, "openfile"),
                                                     ctl(f.panel, "LblScenes"), ctl(f.panel, "exitLbl")},
                              std::vector<QWidget *>{ctl(f.panel, "ratem"), ctl(f.panel, "ratea"), ctl(f.panel, "NormRate")}}) {
        for (QWidget *w : group)
            EXPECT_EQ(w->font(), group.front()->font()) << w->objectName().toStdString() << at.toStdString();
    }
    // The twip layout does not change with the scale.
    EXPECT_EQ(f.panel.size(), QSize(481, 139));
    EXPECT_EQ(f.settings.size(), QSize(633, 529));
    EXPECT_EQ(font.size(), QSize(453, 213));
}

TEST(AtScaleTwo, PanelPicturesAreSharp)
{
    if (!atScaleTwo())
        GTEST_SKIP() << "runs in the child process of ScaleTwo.RunsItsChecksInAProcessOfItsOwn";
    PanelFixture f;
    QImage grab = f.panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(grab.size(), QSize(962, 278));
    // Along the top edge no control draws: there the grab is the twice-size drawing pixel for pixel.
    const QImage source = QImage(QStringLiteral(":/skin/builtin@2x.jpg")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(source.size(), QSize(946, 250));
    EXPECT_EQ(grab.copy(0, 0, 946, 8), source.copy(0, 0, 946, 8));

    // A user's skin keeps its own pixel size in the panel's pixels: 100 x 50 covers 200 x 100 here.
    QImage skin(100, 50, QImage::Format_RGB32);
    skin.fill(Qt::red);
    ASSERT_TRUE(skin.save(f.path("skin.bmp"), "BMP"));
    ASSERT_TRUE(f.panel.loadSkin(f.path("skin.bmp")));
    grab = f.panel.grab().toImage();
    EXPECT_EQ(grab.pixel(196, 6), qRgb(255, 0, 0));
    EXPECT_EQ(grab.pixel(204, 6), qRgb(0, 0, 0));
    EXPECT_EQ(grab.pixel(6, 96), qRgb(255, 0, 0));
    EXPECT_EQ(grab.pixel(6, 104), qRgb(0, 0, 0));
}

TEST(ScaleTwo, RunsItsChecksInAProcessOfItsOwn)
{
    if (atScaleTwo() || qEnvironmentVariableIsSet("VISTREL_FONT_SET"))
        GTEST_SKIP();
    EXPECT_EQ(runChild({QStringLiteral("QT_SCALE_FACTOR=2")}, QStringLiteral("AtScaleTwo.*:CaptionsFit.*"), 2), "");
}

TEST(FontSets, CaptionsFitWithOnlyTheInstalledFontsAndWithMoreAtBothScales)
{
    if (atScaleTwo() || qEnvironmentVariableIsSet("VISTREL_FONT_SET"))
        GTEST_SKIP();
    QTemporaryDir dir;
    for (const bool rich : {false, true}) {
        const QString config = fontConfig(dir, rich);
        for (const char *scale : {"1", "2"}) {
            const QStringList env{QStringLiteral("FONTCONFIG_FILE=") + config, QStringLiteral("QT_SCALE_FACTOR=") + scale,
                                  QStringLiteral("VISTREL_FONT_SET=") + (rich ? "rich" : "lean")};
            EXPECT_EQ(runChild(env, QStringLiteral("CaptionsFit.*"), 1), "") << (rich ? "rich" : "lean") << " at " << scale;
        }
    }
}
