#include "prefs/DialogKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace DialogKeys {
namespace {

class Keys : public QObject {
public:
    Keys(QWidget *window, QPushButton *defaultButton) : QObject(window), window_(window), default_(defaultButton) {}

protected:
    // A key no control took comes up to the window, and through here.
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (watched != window_ || e->type() != QEvent::KeyPress)
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
    QWidget *window_;
    QPushButton *default_;
};

}  // namespace

void install(QWidget *window, QPushButton *defaultButton)
{
    window->installEventFilter(new Keys(window, defaultButton));
}

}  // namespace DialogKeys
