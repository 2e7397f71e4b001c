#pragma once
// A borderless window that carries the real engine's picture, 320x240, as the video window does.
#include "engine/MpvEngine.h"
#include "engine/MpvVideoView.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

struct PictureWindow {
    static constexpr int kTpp = 15;
    QWidget window;
    MpvEngine engine{true, kTpp, kTpp};

    PictureWindow()
    {
        window.resize(320, 240);
        engine.videoWidget()->setParent(&window);
        engine.setWidth(320 * kTpp);
        engine.setHeight(240 * kTpp);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    // What the engine drew last, in device pixels.
    QImage picture() { return engine.videoView()->picture(); }
};
