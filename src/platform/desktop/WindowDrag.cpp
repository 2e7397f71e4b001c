#include "desktop/WindowDrag.h"

#include "desktop/Desktop.h"

void WindowDrag::start(Desktop &desktop, QWidget *window, QPoint grip)
{
    moved_ = false;
    window_ = desktop.startSystemMove(window) ? nullptr : window;
    grip_ = grip;
}

bool WindowDrag::follow(QPointF global)
{
    if (!window_)
        return false;
    const QPoint place = global.toPoint() - grip_;
    if (place != window_->pos()) {
        window_->move(place);
        moved_ = true;
    }
    return true;
}

bool WindowDrag::end()
{
    window_ = nullptr;
    const bool moved = moved_;
    moved_ = false;
    return moved;
}
