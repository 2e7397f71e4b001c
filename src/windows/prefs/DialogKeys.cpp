#include "prefs/DialogKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWindow>
#include <QPushButton>

namespace DialogKeys {
namespace {

class Keys : public QObject {
public:
    Keys(QWidget *window, QPushButton *defaultButton, bool closeAndEnter)
        : QObject(window), window_(window), default_(defaultButton), closeAndEnter_(closeAndEnter)
    {
    }

protected:
    // A key no control took comes up to the window, and through here.
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (watched != window_)
            return false;
        if (e->type() == QEvent::Hide)
            handBack();
        if (!closeAndEnter_ || e->type() != QEvent::KeyPress)
            return false;
        const auto *k = static_cast<QKeyEvent *>(e);
        if (k->modifiers() & ~Qt::KeypadModifier)
            return false;
        if (k->key() == Qt::Key_Escape) {
            window_->close();
            return true;
        }
        if (k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter)
            return false;
        auto *focused = qobject_cast<QPushButton *>(QApplication::focusWidget());
        QPushButton *button = focused && window_->isAncestorOf(focused) ? focused : default_;
        if (button && button->isVisible() && button->isEnabled())
            button->click();
        return true;
    }

private:
    void handBack()
    {
        QWidget *opener = window_->parentWidget();
        // The window system still has the keyboard on this window; the widgets already have it nowhere.
        const bool hadKeyboard = window_->windowHandle() && QGuiApplication::focusWindow() == window_->windowHandle();
        if (opener && hadKeyboard && opener->window()->isVisible())
            opener->window()->activateWindow();
    }

    QWidget *window_;
    QPushButton *default_;
    bool closeAndEnter_;
};

}  // namespace

void install(QWidget *window, QPushButton *defaultButton)
{
    window->installEventFilter(new Keys(window, defaultButton, true));
}

void returnKeyboard(QWidget *window)
{
    window->installEventFilter(new Keys(window, nullptr, false));
}

}  // namespace DialogKeys
