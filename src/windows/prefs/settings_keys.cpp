// The keyboard map's boxes: the panel looks up each typed character here.
#include "prefs/Settings.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {

// Enter and Escape make no text in a line box; a key box takes them as its character so that they
// can be bound like any other.
class ControlKeyCapture : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const QString text = static_cast<QKeyEvent *>(event)->text();
            if (text == QStringLiteral("\r") || text == QStringLiteral("\x1b")) {
                static_cast<QLineEdit *>(watched)->setText(text);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void Settings::connectKeyBoxes()
{
    auto *capture = new ControlKeyCapture(this);
    for (QLineEdit *box : Text1)
        box->installEventFilter(capture);
}

int Settings::keyCommand(const QString &key) const
{
    if (key.isEmpty())
        return -1;
    for (size_t i = 0; i < Text1.size(); ++i) {
        if (Text1[i]->text() == key)
            return int(i);
    }
    return -1;
}
