#pragma once
// A fixed screen (1024 x 768 pixels at 15 twips per pixel by default) that records taskbar calls.
#include "desktop/Desktop.h"

#include <QStringList>

class FakeDesktop : public Desktop {
public:
    int tppX = 15, tppY = 15;
    int widthPx = 1024, heightPx = 768;
    bool taskbarHidden = false;
    QStringList calls;  // "hide", "show", "move"
    std::optional<QRgb> pixel = qRgb(10, 20, 30);
    QList<QRect> otherScreens;  // beside the primary one, in pixels

    int twipsPerPixelX() const override { return tppX; }
    int twipsPerPixelY() const override { return tppY; }
    int screenWidth() const override { return widthPx * tppX; }
    int screenHeight() const override { return heightPx * tppY; }
    QList<QRect> screenAreas() const override { return QList<QRect>{{0, 0, widthPx, heightPx}} + otherScreens; }
    void setVideoWindow(QWidget *) override {}
    bool hideTaskbar() override
    {
        calls << QStringLiteral("hide");
        taskbarHidden = true;
        return true;
    }
    bool showTaskbar() override
    {
        calls << QStringLiteral("show");
        taskbarHidden = false;
        return true;
    }
    bool systemMoves = true;  // false: the window system refuses to move windows
    bool startSystemMove(QWidget *) override
    {
        calls << QStringLiteral("move");
        return systemMoves;
    }
    std::optional<QRgb> screenPixel(int, int) override { return pixel; }
};
