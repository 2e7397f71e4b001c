// The libmpv engine on generated media, with a real display and each of the real render paths.
#include "engine/EngineStats.h"
#include "engine/MpvEngine.h"
#include "engine/MpvVideoView.h"
#include "engine/MpvVideoWindow.h"
#include "support/CoreSays.h"
#include "support/EachVideoOutput.h"
#include "support/OpenAndWait.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <cmath>
#include <memory>

namespace {

constexpr int kTpp = 15;

QString media(const char *name)
{
    return QStringLiteral(VISTREL_MEDIA_DIR "/") + QLatin1String(name);
}

// The clip's frame number, read from the block strip along the top of a 320x240 picture.
int frameInPicture(const QImage &img)
{
    if (img.width() < 320 || img.height() < 40)
        return -1;
    int n = 0;
    for (int bit = 0; bit < 10; ++bit) {
        if (qGray(img.pixel(bit * 32 + 16, 20)) > 128)
            n |= 1 << bit;
    }
    return n;
}

bool near(QRgb got, QColor want)
{
    return std::abs(qRed(got) - want.red()) < 48 && std::abs(qGreen(got) - want.green()) < 48
        && std::abs(qBlue(got) - want.blue()) < 48;
}

// A borderless window that carries the engine's picture, as the video window does.
struct VideoWindow {
    QWidget window;
    MpvEngine engine{true, kTpp, kTpp};

    VideoWindow()
    {
        window.resize(320, 240);
        engine.videoWidget()->setParent(&window);
        engine.setWidth(320 * kTpp);
        engine.setHeight(240 * kTpp);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QImage picture() { return engine.videoView()->picture(); }
    int frameOnScreen() { return frameInPicture(picture()); }
};

// The tests that look at the picture or touch it run on both ways of drawing it.
class MpvEnginePicture : public EachVideoOutput {};
INSTANTIATE_TEST_SUITE_P(Outputs, MpvEnginePicture, EachVideoOutput::kinds(), EachVideoOutput::kindName);

// Where the mouse and the keys land on the picture: the window it is drawn in, over the view.
template <typename Act>
void onPicture(MpvEngine &engine, Act act)
{
    if (MpvPictureWindow *window = engine.videoView()->pictureWindow())
        act(window);
    else
        act(engine.videoView());
}

TEST(MpvEngine, OpensAndUnloads)
{
    MpvEngine e(true, kTpp, kTpp);
    EXPECT_EQ(e.playState(), 0);
    openAndWait(e, media("clip25.mp4"));
    EXPECT_EQ(e.fileName(), media("clip25.mp4"));
    EXPECT_EQ(e.playState(), 1);
    EXPECT_EQ(e.currentPosition(), 0);
    EXPECT_EQ(e.imageSourceWidth(), 320);
    EXPECT_EQ(e.imageSourceHeight(), 240);

    QSignalSpy ends(&e, &MediaEngine::EndOfStream);
    e.close();
    EXPECT_EQ(e.fileName(), QString());
    EXPECT_EQ(e.playState(), 0);
    EXPECT_EQ(e.duration(), 0);
    EXPECT_EQ(e.imageSourceWidth(), 0);
    e.pause();
    e.play();
    EXPECT_EQ(e.playState(), 0);
    ASSERT_TRUE(coreSays(e, "idle-active", "yes"));
    EXPECT_EQ(ends.count(), 0);
}

TEST(MpvEngine, BadFilesLeaveNoFileAndDoNotEndTheStream)
{
    QTemporaryDir dir;
    MpvEngine e(true, kTpp, kTpp);
    QSignalSpy ends(&e, &MediaEngine::EndOfStream);
    const QString bad[] = {media("missing.mp4"), dir.path(), media("notvideo.avi"), media("truncated.mp4")};
    for (const QString &path : bad) {
        SCOPED_TRACE(path.toStdString());
        openAndWait(e, media("clip25.mp4"));
        ASSERT_FALSE(e.fileName().isEmpty());
        openAndWait(e, path);
        EXPECT_EQ(e.fileName(), QString());
        EXPECT_EQ(e.playState(), 0);
        e.setCurrentPosition(10);
        e.play();
        EXPECT_EQ(e.playState(), 0);
        EXPECT_EQ(e.currentPosition(), 0);
    }
    ASSERT_TRUE(coreSays(e, "idle-active", "yes"));
    EXPECT_EQ(ends.count(), 0);
}

TEST(MpvEngine, DurationInSecondsAndFrames)
{
    MpvEngine e(true, kTpp, kTpp);
    openAndWait(e, media("clip25.mp4"));
    EXPECT_NEAR(e.duration(), 10.0, 0.01);
    e.setDisplayMode(1);
    EXPECT_EQ(e.duration(), 250);

    openAndWait(e, media("clip23976.avi"));
    e.setDisplayMode(0);
    const double seconds = e.duration();
    e.setDisplayMode(1);
    const double frames = e.duration();
    EXPECT_EQ(std::nearbyint(frames / seconds * 1000) / 1000, 23.976);
}

TEST(MpvEngine, FrameUnitsWhereTheContainerDeclaresNoRateOrAVaryingOne)
{
    struct Case {
        const char *file;
        double fps;
    };
    // Theora's rate comes from the decoded frames, Matroska's from the stream, the varying one's is the mean.
    const Case cases[] = {{"clip25.ogv", 25}, {"clip25.mkv", 25}, {"vfr.mp4", 7200.0 / 359}};
    VideoWindow w;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        openAndWait(w.engine, media(c.file));
        ASSERT_EQ(w.engine.fileName(), media(c.file));
        EXPECT_FALSE(w.engine.frameRateAssumed());
        w.engine.setDisplayMode(0);
        const double seconds = w.engine.duration();
        w.engine.setDisplayMode(1);
        EXPECT_NEAR(w.engine.duration() / seconds, c.fps, 0.001);

        w.engine.setCurrentPosition(120);
        EXPECT_TRUE(QTest::qWaitFor([&] { return w.frameOnScreen() == 120; }, 5000)) << w.frameOnScreen();
        EXPECT_EQ(w.engine.currentPosition(), 120);
        w.engine.play();
        EXPECT_TRUE(QTest::qWaitFor([&] { return w.engine.currentPosition() > 130; }, 5000));
        w.engine.pause();
    }
    // A single frame tells no rate, declared or measured: 25 stands in, and says so.
    openAndWait(w.engine, media("still.ogv"));
    ASSERT_EQ(w.engine.fileName(), media("still.ogv"));
    EXPECT_TRUE(w.engine.frameRateAssumed());
    w.engine.setDisplayMode(0);
    const double seconds = w.engine.duration();
    w.engine.setDisplayMode(1);
    EXPECT_DOUBLE_EQ(w.engine.duration(), seconds * 25);

    // Sound alone in the movie's engine has no frames to count.
    openAndWait(w.engine, media("audio10.wav"));
    w.engine.setDisplayMode(1);
    EXPECT_EQ(w.engine.duration(), 0);
    EXPECT_FALSE(w.engine.frameRateAssumed());
}

TEST_P(MpvEnginePicture, SeekWhilePausedShowsThatFrame)
{
    VideoWindow w;
    openAndWait(w.engine, media("clip25.mp4"));
    w.engine.setDisplayMode(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.frameOnScreen() == 0; }, 5000));

    w.engine.setCurrentPosition(120);
    EXPECT_EQ(w.engine.currentPosition(), 120);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.frameOnScreen() == 120; }, 5000)) << w.frameOnScreen();
    EXPECT_EQ(w.engine.property("estimated-frame-number"), QStringLiteral("120"));
    EXPECT_EQ(w.engine.currentPosition(), 120);
    EXPECT_EQ(w.engine.playState(), 1);

    w.engine.setDisplayMode(0);
    w.engine.setCurrentPosition(2.0);
    EXPECT_EQ(w.engine.currentPosition(), 2.0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.frameOnScreen() == 50; }, 5000)) << w.frameOnScreen();
    w.engine.setDisplayMode(1);
    EXPECT_EQ(w.engine.currentPosition(), 50);
}

TEST(MpvEngine, PlayAndPause)
{
    MpvEngine e(true, kTpp, kTpp);
    openAndWait(e, media("clip25.mp4"));
    e.play();
    EXPECT_EQ(e.playState(), 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return e.currentPosition() > 0.3; }, 5000));
    e.pause();
    EXPECT_EQ(e.playState(), 1);
    const double asked = e.currentPosition();
    ASSERT_TRUE(coreSays(e, "pause", "yes"));
    const double held = e.currentPosition();
    EXPECT_NEAR(held, asked, 0.05);
    // It stays there while another movie plays on.
    MpvEngine other(false, kTpp, kTpp);
    openAndWait(other, media("audio10.wav"));
    other.play();
    EXPECT_TRUE(QTest::qWaitFor([&] { return other.currentPosition() > 0.3; }, 5000));
    EXPECT_EQ(e.currentPosition(), held);
}

// Measured against the same sound played at the normal rate beside it, so a busy machine slows both.
TEST(MpvEngine, RateTwoPlaysAboutTwiceAsFast)
{
    MpvEngine e(false, kTpp, kTpp), normal(false, kTpp, kTpp);
    openAndWait(e, media("audio10.wav"));
    openAndWait(normal, media("audio10.wav"));
    e.setRate(2);
    EXPECT_EQ(e.rate(), 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return e.property("speed").toDouble() == 2; }, 2000));
    e.play();
    normal.play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return e.currentPosition() > 0.2 && normal.currentPosition() > 0.2; }, 5000));
    const double from = e.currentPosition(), normalFrom = normal.currentPosition();
    ASSERT_TRUE(QTest::qWaitFor([&] { return normal.currentPosition() - normalFrom >= 1.5; }, 20000));
    const double ratio = (e.currentPosition() - from) / (normal.currentPosition() - normalFrom);
    EXPECT_GT(ratio, 1.5);
    EXPECT_LT(ratio, 2.5);
}

TEST(MpvEngine, VolumeIsHundredthsOfADecibelAndMuteSilences)
{
    MpvEngine e(false, kTpp, kTpp);
    const auto gain = [&] { return std::pow(e.property("volume").toDouble() / 100, 3); };
    const auto gainBecomes = [&](double want) {
        return QTest::qWaitFor([&] { return std::abs(gain() - want) < 1e-4; }, 2000);
    };
    // The sound-only engine starts its core on first use; what was set before, the core starts with.
    e.setVolume(-2000);
    e.setMute(true);
    EXPECT_EQ(e.volume(), -2000);
    EXPECT_EQ(e.property("volume"), QString());
    e.pause();
    EXPECT_EQ(e.fileName(), QString());
    openAndWait(e, media("audio10.wav"));
    EXPECT_TRUE(gainBecomes(0.1)) << gain();
    EXPECT_EQ(e.property("mute"), QStringLiteral("yes"));
    e.setMute(false);
    e.setVolume(-637);
    EXPECT_EQ(e.volume(), -637);
    EXPECT_TRUE(gainBecomes(std::pow(10, -637 / 2000.0))) << gain();
    e.setVolume(0);
    EXPECT_TRUE(gainBecomes(1)) << gain();
    e.setVolume(-12000);
    EXPECT_EQ(e.volume(), -10000);
    e.setVolume(300);
    EXPECT_EQ(e.volume(), 0);

    e.setMute(true);
    EXPECT_TRUE(e.mute());
    EXPECT_TRUE(QTest::qWaitFor([&] { return e.property("mute") == QStringLiteral("yes"); }, 2000));
    e.setMute(false);
    EXPECT_FALSE(e.mute());
    EXPECT_TRUE(QTest::qWaitFor([&] { return e.property("mute") == QStringLiteral("no"); }, 2000));
}

TEST(MpvEngine, EndOfStreamOnceAndTheLastFrameStays)
{
    MpvEngine e(true, kTpp, kTpp);
    QSignalSpy ends(&e, &MediaEngine::EndOfStream);
    openAndWait(e, media("clip25.mp4"));
    e.setCurrentPosition(9.3);
    e.play();
    ASSERT_TRUE(ends.wait(5000));
    EXPECT_EQ(ends.count(), 1);
    EXPECT_EQ(e.fileName(), media("clip25.mp4"));
    EXPECT_NE(e.playState(), 2);
    EXPECT_EQ(e.currentPosition(), e.duration());
    e.setDisplayMode(1);
    EXPECT_EQ(e.currentPosition(), 250);

    // Play on the ended movie starts it over.
    e.play();
    EXPECT_EQ(e.currentPosition(), 0);
    EXPECT_EQ(e.playState(), 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return e.currentPosition() > 5; }, 3000));
    EXPECT_LT(e.currentPosition(), 100);
    // Played on past the end, the first end was told once.
    EXPECT_EQ(ends.count(), 1);

    // Through the end again: a second end, a second event; a seek to the end while halted is no end.
    e.setDisplayMode(0);
    e.setCurrentPosition(9.5);
    ASSERT_TRUE(ends.wait(5000));
    EXPECT_EQ(ends.count(), 2);
    e.setCurrentPosition(2);
    e.setCurrentPosition(e.duration());
    EXPECT_EQ(e.currentPosition(), e.duration());
    ASSERT_TRUE(coreSays(e, "eof-reached", "yes"));
    EXPECT_EQ(e.currentPosition(), e.duration());
    e.close();
    ASSERT_TRUE(coreSays(e, "idle-active", "yes"));
    EXPECT_EQ(ends.count(), 2);
}

TEST_P(MpvEnginePicture, PictureComesWhenTheWindowFirstShowsAfterTheOpen)
{
    // The panel opens the movie before the video window has ever been shown.
    MpvEngine engine(true, kTpp, kTpp);
    openAndWait(engine, media("clip25.mp4"));
    engine.setDisplayMode(1);
    engine.setCurrentPosition(7);
    QWidget window;
    window.resize(320, 240);
    engine.videoWidget()->setParent(&window);
    engine.setWidth(320 * kTpp);
    engine.setHeight(240 * kTpp);
    window.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return frameInPicture(engine.videoView()->picture()) == 7; }, 5000));
    EXPECT_EQ(engine.currentPosition(), 7);
}

TEST_P(MpvEnginePicture, DrawsTheMoviePictureInItsWindow)
{
    VideoWindow w;
    EXPECT_EQ(w.engine.videoView()->glWindow() != nullptr, GetParam() == VideoOutput::Kind::Gl);
    QSignalSpy drawn(w.engine.videoView(), &MpvVideoView::frameDrawn);
    openAndWait(w.engine, media("clip25.mp4"));
    ASSERT_TRUE(drawn.count() > 0 || drawn.wait(5000));
    QImage img;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        img = w.picture();
        return img.width() == 320 && near(img.pixel(40, 70), Qt::red);
    }, 5000));
    ASSERT_EQ(img.size(), QSize(320, 240));
    EXPECT_TRUE(near(img.pixel(40, 70), Qt::red));
    EXPECT_TRUE(near(img.pixel(280, 70), Qt::green));
    EXPECT_TRUE(near(img.pixel(40, 210), Qt::blue));
    EXPECT_TRUE(near(img.pixel(280, 210), Qt::yellow));
    EXPECT_EQ(frameInPicture(img), 0);

    // Stretched into a wider control the quarters stay where the picture's own layout puts them.
    w.window.resize(640, 240);
    w.engine.setWidth(640 * kTpp);
    w.engine.setDisplaySize(4);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        img = w.picture();
        return img.width() == 640 && near(img.pixel(20, 70), Qt::red) && near(img.pixel(620, 210), Qt::yellow);
    }, 5000));
    w.engine.setDisplaySize(0);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        img = w.picture();
        return near(img.pixel(20, 70), Qt::black) && near(img.pixel(200, 70), Qt::red);
    }, 5000));
}

TEST_P(MpvEnginePicture, PlacesItsPictureInTwipsAndReportsTheMouseInTwips)
{
    VideoWindow w;
    w.engine.setLeft(30 * kTpp);
    w.engine.setTop(15 * kTpp);
    w.engine.setWidth(100 * kTpp);
    w.engine.setHeight(50 * kTpp);
    EXPECT_EQ(w.engine.videoWidget()->geometry(), QRect(30, 15, 100, 50));
    EXPECT_EQ(w.engine.left(), 30 * kTpp);

    QSignalSpy downs(&w.engine, &MediaEngine::MouseDown);
    QSignalSpy clicks(&w.engine, &MediaEngine::Click);
    onPicture(w.engine, [](auto *at) { QTest::mousePress(at, Qt::RightButton, Qt::ControlModifier, QPoint(10, 20)); });
    ASSERT_EQ(downs.count(), 1);
    EXPECT_EQ(downs[0], (QVariantList{2, 2, 10.0 * kTpp, 20.0 * kTpp}));
    EXPECT_EQ(clicks.count(), 0);
    onPicture(w.engine, [](auto *at) { QTest::mouseRelease(at, Qt::RightButton, Qt::ControlModifier, QPoint(10, 20)); });
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks[0][0].toInt(), 2);
}

TEST_P(MpvEnginePicture, KeysTypedOnThePictureReachTheWidgetsAroundIt)
{
    // The video window brings the panel forward on any key; the picture must not swallow them.
    struct KeyWindow : QWidget {
        QList<int> keys;
        void keyPressEvent(QKeyEvent *e) override { keys << e->key(); }
    } window;
    MpvEngine engine(true, kTpp, kTpp);
    engine.videoWidget()->setParent(&window);
    engine.setWidth(320 * kTpp);
    engine.setHeight(240 * kTpp);
    window.resize(320, 240);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    onPicture(engine, [](auto *at) { QTest::keyClick(at, Qt::Key_P); });
    EXPECT_EQ(window.keys, QList<int>{Qt::Key_P});
}

TEST(MpvEngine, WithoutVideoKeepsThePlaceAndPlaysSound)
{
    MpvEngine e(false, kTpp, kTpp);
    EXPECT_EQ(e.videoWidget(), nullptr);
    e.setLeft(100);
    e.setHeight(2000);
    EXPECT_EQ(e.left(), 100);
    EXPECT_EQ(e.height(), 2000);
    openAndWait(e, media("audio10.wav"));
    EXPECT_NEAR(e.duration(), 10.0, 0.01);
    // A movie handed to the sound-only engine gives its sound.
    openAndWait(e, media("clip25.mp4"));
    EXPECT_EQ(e.fileName(), media("clip25.mp4"));
    EXPECT_EQ(e.property("vid"), QStringLiteral("no"));
}

TEST(MpvEngine, StatisticsWindowShowsWhatPlays)
{
    MpvEngine e(true, kTpp, kTpp);
    openAndWait(e, media("clip25.mp4"));
    e.showDialog(1);
    EngineStats *stats = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        stats = stats ? stats : qobject_cast<EngineStats *>(w);
    ASSERT_NE(stats, nullptr);
    EXPECT_TRUE(stats->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return stats->valueText(0) == media("clip25.mp4"); }, 3000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return stats->valueText(3) == QStringLiteral("320 x 240"); }, 3000));
    EXPECT_EQ(stats->valueText(4), QStringLiteral("25.000 fps"));
}

TEST_P(MpvEnginePicture, ClosingDuringPlaybackNeitherHangsNorCrashes)
{
    {
        auto w = std::make_unique<VideoWindow>();
        openAndWait(w->engine, media("clip25.mp4"));
        w->engine.play();
        ASSERT_TRUE(QTest::qWaitFor([&] { return w->engine.currentPosition() > 0.2; }, 5000));
        w->window.close();
    }
    {
        // The window goes first and takes the picture widget with it; the engine still stops cleanly.
        MpvEngine engine(true, kTpp, kTpp);
        auto window = std::make_unique<QWidget>();
        engine.videoWidget()->setParent(window.get());
        engine.setWidth(320 * kTpp);
        engine.setHeight(240 * kTpp);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        openAndWait(engine, media("clip25.mp4"));
        engine.play();
        ASSERT_TRUE(QTest::qWaitFor([&] { return engine.currentPosition() > 0.2; }, 5000));
        window.reset();
        EXPECT_EQ(engine.videoWidget(), nullptr);
        EXPECT_EQ(engine.playState(), 2);
    }
}

// At a fractional scale the picture is drawn at the window's own device pixels, never scaled after:
// 321 x 1.5 is 481.5, and the picture is as wide as the window's pixels whatever the rounding.
TEST_P(MpvEnginePicture, AtAFractionalScaleIsDrawnPixelForPixel)
{
    if (qApp->devicePixelRatio() != 1.5)
        GTEST_SKIP() << "runs in the child process of MpvEngine.FractionalScaleRunsInAProcessOfItsOwn";
    VideoWindow w;
    w.window.resize(321, 241);
    w.engine.setWidth(321 * kTpp);
    w.engine.setHeight(241 * kTpp);
    w.engine.setDisplaySize(4);
    openAndWait(w.engine, media("clip25.mp4"));
    const QSize pixels = VideoOutput::pixelSize(QSize(321, 241), 1.5);
    QImage img;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        img = w.picture();
        return img.size() == pixels && near(img.pixel(60, 105), Qt::red);
    }, 5000)) << img.width() << "x" << img.height();
    EXPECT_TRUE(near(img.pixel(pixels.width() - 60, pixels.height() - 60), Qt::yellow));
}

TEST(MpvEngine, FractionalScaleRunsInAProcessOfItsOwn)
{
    if (qApp->devicePixelRatio() != 1)
        GTEST_SKIP();
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("1.5"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=*MpvEnginePicture.AtAFractionalScaleIsDrawnPixelForPixel*")});
    ASSERT_TRUE(child.waitForFinished(120000));
    const QByteArray out = child.readAll();
    EXPECT_TRUE(child.exitCode() == 0 && out.contains("[  PASSED  ] 2 tests")) << out.toStdString();
}

} // namespace
