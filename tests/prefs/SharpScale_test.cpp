// The windows at one and at two device pixels to a pixel: the same twip layout, every caption inside
// its control, the panel's built-in picture drawn from its twice-size source and a user's skin scaled
// with the panel. The scale is fixed when a process starts, so the checks at two run in a child
// process of this test program.
#include "support/PanelFixture.h"

#include "prefs/CaptionFit.h"
#include "prefs/fontselfrm.h"
#include "subtitles/subtitles.h"

#include <QApplication>
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

// The controls of `window` whose caption does not fit them; `sample` shows whatever font is chosen
// and is left out.
QStringList clippedCaptions(QWidget *window, const QWidget *sample = nullptr)
{
    QStringList clipped;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w != sample && w->window() == window && !CaptionFit::fits(w, w->font()))
            clipped << window->objectName() + QLatin1Char('/') + w->objectName() + QStringLiteral(" \"")
                           + w->property("text").toString() + w->property("title").toString() + QStringLiteral("\"");
    }
    return clipped;
}

}  // namespace

TEST(CaptionsFit, PanelSettingsOverlayAndFontDialog)
{
    PanelFixture f;
    auto *overlay = new subtitles(f.app, f.desktop, f.dialogs);
    f.panel.attachOverlay(overlay);
    overlay->setCaption(QStringLiteral("A subtitle line"));
    overlay->show();
    f.settings.fontsel->click();
    ASSERT_TRUE(f.settings.fontDialog);
    const fontselfrm &font = *f.settings.fontDialog;
    for (QWidget *window : std::initializer_list<QWidget *>{&f.panel, &f.settings, overlay, f.settings.fontDialog})
        EXPECT_EQ(clippedCaptions(window, font.Label1).join(QLatin1Char('\n')).toStdString(), "")
            << "at scale " << qApp->devicePixelRatio();
    // The twip layout does not change with the scale.
    EXPECT_EQ(f.panel.size(), QSize(481, 139));
    EXPECT_EQ(f.settings.size(), QSize(633, 529));
    EXPECT_EQ(f.settings.fontDialog->size(), QSize(453, 213));
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
    if (atScaleTwo())
        GTEST_SKIP();
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=AtScaleTwo.*:CaptionsFit.*")});
    ASSERT_TRUE(child.waitForFinished(120000));
    const QByteArray out = child.readAll();
    EXPECT_EQ(child.exitCode(), 0) << out.toStdString();
    EXPECT_TRUE(out.contains("[  PASSED  ] 2 tests.")) << out.toStdString();
}
