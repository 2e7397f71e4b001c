#pragma once
// The desktop as the windows see it: screen metrics in twips, the taskbar, the system window move and
// reading a screen pixel. Real implementation on Qt; tests use a double with a fixed screen.
#include <QList>
#include <QRect>
#include <QRgb>
#include <optional>

class QWidget;

class Desktop {
public:
    virtual ~Desktop() = default;

    virtual int twipsPerPixelX() const = 0;
    virtual int twipsPerPixelY() const = 0;
    // The primary screen's size in twips.
    virtual int screenWidth() const = 0;
    virtual int screenHeight() const = 0;
    // Every connected screen's area on the desktop in pixels, the primary one first.
    virtual QList<QRect> screenAreas() const = 0;

    // The desktop's panels are covered while the video window is full screen: hiding the taskbar puts
    // that window into the full-screen state, showing it takes it back. True when the call did something.
    virtual void setVideoWindow(QWidget *window) = 0;
    virtual bool hideTaskbar() = 0;
    virtual bool showTaskbar() = 0;

    // Lets the window system move the window as if its title bar were dragged; false where it refuses.
    virtual bool startSystemMove(QWidget *window) = 0;

    // The colour of one screen pixel, or nothing where the desktop forbids reading the screen.
    virtual std::optional<QRgb> screenPixel(int xPx, int yPx) = 0;
};

class QtDesktop final : public Desktop {
public:
    QtDesktop();
    int twipsPerPixelX() const override { return tppX_; }
    int twipsPerPixelY() const override { return tppY_; }
    int screenWidth() const override;
    int screenHeight() const override;
    QList<QRect> screenAreas() const override;
    void setVideoWindow(QWidget *window) override { video_ = window; }
    bool hideTaskbar() override;
    bool showTaskbar() override;
    bool startSystemMove(QWidget *window) override;
    std::optional<QRgb> screenPixel(int xPx, int yPx) override;

private:
    int tppX_ = 15;
    int tppY_ = 15;
    QWidget *video_ = nullptr;
};
