// The keyboard map's boxes: each binds its command to the character typed in it.
#include "prefs/Preferences.h"
#include "prefs/Settings.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

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

// One character a box: a character beyond the first 65,536 is two UTF-16 units.
class OneCharacter : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        const bool pair = input.size() == 2 && input[0].isHighSurrogate() && input[1].isLowSurrogate();
        return input.size() <= 1 || pair ? Acceptable : Invalid;
    }
};

}  // namespace

void Settings::connectKeyBoxes()
{
    auto *capture = new ControlKeyCapture(this);
    auto *oneCharacter = new OneCharacter(this);
    for (int i = 0; i < KeyMap::kCommands; ++i) {
        QLineEdit *box = Text1[size_t(i)];
        box->installEventFilter(capture);
        box->setValidator(oneCharacter);
        connect(box, &QLineEdit::textChanged, this, [this, i](const QString &key) { prefs_.setKey(i, key); });
    }
}
