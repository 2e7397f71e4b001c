// The software picture on X11, as the X server shows it: put on the window by the renderer's thread,
// put back when the window is uncovered, drawn through the backing store where the server cannot share
// memory with us, and never holding up the player when the server stops answering.
#include "engine/MpvEngine.h"
#include "engine/MpvPictureWindow.h"
#include "engine/MpvRasterWindow.h"
#include "engine/MpvShmWindow.h"
#include "engine/MpvVideoView.h"
#include "engine/VideoOutput.h"
#include "support/ChildTests.h"
#include "support/OpenAndWait.h"
#include "support/PictureWindow.h"
#include "support/RealPicture.h"

#include <QFile>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <thread>

namespace {

class SoftwarePicture : public ::testing::Test {
protected:
    void SetUp() override { VideoOutput::force(VideoOutput::Kind::Software); }
    void TearDown() override { VideoOutput::force(std::nullopt); }
};

// The engine's picture in a window of its own, opened on the clip and paused on its first frame.
struct Playing : PictureWindow {
    Playing() { EXPECT_TRUE(openAndWait(engine, RealPicture::clip25)); }
    MpvPictureWindow *pictureWindow() const { return engine.videoView()->pictureWindow(); }
    // What the server shows in the picture's window, not what we drew.
    QImage onScreen() const
    {
        MpvPictureWindow *p = pictureWindow();
        return p ? p->screen()->grabWindow(p->winId()).toImage() : QImage();
    }
    bool showsTheClip() const { return RealPicture::showsClipQuarters(onScreen()); }
};

TEST_F(SoftwarePicture, IsPutOnTheWindowAndPutBackWhenTheWindowIsUncovered)
{
    Playing p;
    ASSERT_NE(qobject_cast<MpvShmWindow *>(p.pictureWindow()), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.showsTheClip(); }, 5000));

    // Paused, no new frame comes to draw: the window shows the picture again all the same.
    QWidget cover(nullptr, Qt::FramelessWindowHint);
    cover.setPalette(QPalette(Qt::white));
    cover.setAutoFillBackground(true);
    cover.setGeometry(p.window.geometry());
    cover.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&cover));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !p.showsTheClip(); }, 5000));
    cover.hide();
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.showsTheClip(); }, 5000));

    // Moved into another window, the picture goes along.
    QWidget other;
    other.setGeometry(400, 0, 320, 240);
    p.engine.videoWidget()->setParent(&other);
    p.engine.videoWidget()->show();
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.showsTheClip(); }, 5000));
}

// Run by WithoutSharedMemoryTheBackingStoreDrawsIt on a server of its own.
TEST_F(SoftwarePicture, OnAServerWithoutSharedMemoryComesThroughTheBackingStore)
{
    if (!qEnvironmentVariableIsSet("VISTREL_SERVER_WITHOUT_SHM"))
        GTEST_SKIP() << "runs in the child process of WithoutSharedMemoryTheBackingStoreDrawsIt";
    Playing p;
    EXPECT_TRUE(QTest::qWaitFor([&] { return qobject_cast<MpvRasterWindow *>(p.pictureWindow()) != nullptr; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.showsTheClip(); }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return RealPicture::showsClipQuarters(p.picture()); }, 5000));
}

// The X server of this test process, stopped as a server would be that no longer answers (a hung
// compositor, a stalled remote display) until it goes or, should the test itself hang, for two seconds.
class StoppedServer {
public:
    StoppedServer()
    {
        // xvfb-run's server writes its process id into the display's lock file.
        const QString display = qEnvironmentVariable("DISPLAY").section(QLatin1Char(':'), 1).section(QLatin1Char('.'), 0, 0);
        QFile lock(QStringLiteral("/tmp/.X%1-lock").arg(display));
        if (lock.open(QIODevice::ReadOnly))
            pid_ = lock.readAll().trimmed().toInt();
        if (pid_ <= 0 || kill(pid_, SIGSTOP) != 0)
            return;
        stopped_ = true;
        watchdog_ = std::thread([this] {
            std::unique_lock lock(lock_);
            resumed_.wait_for(lock, std::chrono::seconds(2), [this] { return !stopped_; });
            stopped_ = false;
            kill(pid_, SIGCONT);
        });
    }
    ~StoppedServer()
    {
        {
            const std::lock_guard lock(lock_);
            stopped_ = false;
        }
        resumed_.notify_one();
        if (watchdog_.joinable())
            watchdog_.join();
    }
    // False once resumed, at the end or by the watchdog.
    bool stopped()
    {
        const std::lock_guard lock(lock_);
        return stopped_;
    }

private:
    pid_t pid_ = 0;
    std::mutex lock_;
    std::condition_variable resumed_;
    // Stopped by us and not yet resumed.
    bool stopped_ = false;
    std::thread watchdog_;
};

// Run by AServerThatStopsAnsweringHoldsUpNeitherPlaybackNorTheUiThread on a server of its own.
TEST_F(SoftwarePicture, WhileItsServerIsStoppedPlaybackGoesOn)
{
    if (!qEnvironmentVariableIsSet("VISTREL_OWN_SERVER"))
        GTEST_SKIP() << "runs in the child process of AServerThatStopsAnsweringHoldsUpNeitherPlaybackNorTheUiThread";
    Playing p;
    p.engine.play();
    int shown = -1;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (shown = RealPicture::frameNumber(p.onScreen())) >= 5; }, 5000));
    {
        StoppedServer server;
        ASSERT_TRUE(server.stopped());
        // The UI thread keeps taking the core's news, and the core keeps playing, while the server is
        // still stopped: a thread waiting for it would see the position move only once it answers.
        const double from = p.engine.currentPosition();
        EXPECT_TRUE(QTest::qWaitFor([&] { return p.engine.currentPosition() >= from + 0.5; }, 1500));
        EXPECT_TRUE(server.stopped());
    }
    // Frames reach the window again once the server answers.
    EXPECT_TRUE(QTest::qWaitFor([&] { return RealPicture::frameNumber(p.onScreen()) > shown + 25; }, 5000));
}

TEST(SoftwarePictureServer, AServerThatStopsAnsweringHoldsUpNeitherPlaybackNorTheUiThread)
{
    if (qEnvironmentVariableIsSet("VISTREL_OWN_SERVER"))
        GTEST_SKIP();
    QProcessEnvironment env;
    env.insert(QStringLiteral("VISTREL_OWN_SERVER"), QStringLiteral("1"));
    EXPECT_TRUE(passInAChild(QStringLiteral("SoftwarePicture.WhileItsServerIsStopped*"), env, 1,
                             {QStringLiteral("xvfb-run"), QStringLiteral("-a"), QStringLiteral("-s"),
                              QStringLiteral("-screen 0 1024x768x24")}));
}

// A display on another machine cannot map our memory; an X server started without the extension stands
// in for it. The engine's picture tests run there too.
TEST(SoftwarePictureServer, WithoutSharedMemoryTheBackingStoreDrawsIt)
{
    if (qEnvironmentVariableIsSet("VISTREL_SERVER_WITHOUT_SHM"))
        GTEST_SKIP();
    QProcessEnvironment env;
    env.insert(QStringLiteral("VISTREL_SERVER_WITHOUT_SHM"), QStringLiteral("1"));
    EXPECT_TRUE(passInAChild(QStringLiteral("SoftwarePicture.OnAServerWithoutSharedMemory*:*MpvEnginePicture.*/software"),
                             env, 7, {QStringLiteral("xvfb-run"), QStringLiteral("-a"), QStringLiteral("-s"),
                                   QStringLiteral("-extension MIT-SHM -screen 0 1024x768x24")}));
}

}  // namespace
