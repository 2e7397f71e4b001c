#pragma once
// Moving a window by dragging its face. The window system's own move is asked for first; where it
// refuses (no window manager, a kiosk session), the window follows the mouse itself until the button
// is released.
#include <QPoint>
#include <QPointer>
#include <QWidget>

class Desktop;

class WindowDrag {
public:
    // The button went down at `grip`, in the window's own pixels.
    void start(Desktop &desktop, QWidget *window, QPoint grip);
    // The mouse is at `global` with the button held: the window follows. True while this drag moves
    // the window itself.
    bool follow(QPointF global);
    // The button came up; true when the window moved since the press.
    bool end();

private:
    QPointer<QWidget> window_;
    QPoint grip_;
    bool moved_ = false;
};
