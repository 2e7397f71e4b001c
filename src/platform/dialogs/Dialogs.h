#pragma once
// Message and input boxes, behind an interface so tests can see and answer them.
#include <QString>

class QWidget;

class Dialogs {
public:
    enum class Icon { None, Critical, Exclamation, Information };

    virtual ~Dialogs() = default;
    // An OK-only message box. An empty title means the program's title.
    virtual void msgBox(const QString &text, Icon icon = Icon::None, const QString &title = QString()) = 0;
    // A one-line input box; returns the empty text when cancelled.
    virtual QString inputBox(const QString &prompt, const QString &title = QString(),
                             const QString &defaultText = QString()) = 0;
};

// The real boxes, shown modally on the UI thread.
class QtDialogs final : public Dialogs {
public:
    void msgBox(const QString &text, Icon icon, const QString &title) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
};
