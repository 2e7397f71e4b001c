// The software picture on X11, as the X server shows it: put on the window by the renderer's thread,
// put back when the window is uncovered, and drawn through the backing store where the server cannot
// share memory with us.
#include "engine/MpvEngine.h"
#include "engine/MpvPictureWindow.h"
#include "engine/MpvRasterWindow.h"
#include "engine/MpvShmWindow.h"
#include "engine/MpvVideoView.h"
#include "engine/VideoOutput.h"
#include "support/ChildTests.h"
#include "support/OpenAndWait.h"
#include "support/RealPicture.h"

#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int kTpp = 15;

class SoftwarePicture : public ::testing::Test {
protected:
    void SetUp() override { VideoOutput::force(VideoOutput::Kind::Software); }
    void TearDown() override { VideoOutput::force(std::nullopt); }
};

// A top-level window with the engine's picture filling it, opened on the clip and paused on its first
// frame.
struct Playing {
    QWidget window;
    MpvEngine engine{true, kTpp, kTpp};

    explicit Playing(QPoint at = {})
    {
        window.setGeometry(QRect(at, QSize(320, 240)));
        engine.videoWidget()->setParent(&window);
        engine.setWidth(320 * kTpp);
        engine.setHeight(240 * kTpp);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_TRUE(openAndWait(engine, RealPicture::clip25));
    }
    MpvPictureWindow *picture() const { return engine.videoView()->pictureWindow(); }
    // What the server shows in the picture's window, not what we drew.
    QImage onScreen() const
    {
        MpvPictureWindow *p = picture();
        return p ? p->screen()->grabWindow(p->winId()).toImage() : QImage();
    }
    bool showsTheClip() const { return RealPicture::showsClipQuarters(onScreen()); }
};

TEST_F(SoftwarePicture, IsPutOnTheWindowAndPutBackWhenTheWindowIsUncovered)
{
    Playing p;
    ASSERT_NE(qobject_cast<MpvShmWindow *>(p.picture()), nullptr);
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
    EXPECT_TRUE(QTest::qWaitFor([&] { return qobject_cast<MpvRasterWindow *>(p.picture()) != nullptr; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.showsTheClip(); }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return RealPicture::showsClipQuarters(p.engine.videoView()->picture()); }, 5000));
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
