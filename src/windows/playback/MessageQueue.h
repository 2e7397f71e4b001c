#pragma once
// Message boxes for what the session tells: each shown after the event that caused it has been handled,
// never inside the engine's event delivery, one after another in the order they came.
#include "dialogs/Dialogs.h"

#include <QObject>
#include <QQueue>

class MessageQueue : public QObject {
    Q_OBJECT
public:
    explicit MessageQueue(Dialogs &dialogs, QObject *parent = nullptr) : QObject(parent), dialogs_(dialogs) {}

    void post(const QString &text, Dialogs::Icon icon, const QString &title);

private:
    void showNext();

    struct Message {
        QString text;
        Dialogs::Icon icon;
        QString title;
    };
    Dialogs &dialogs_;
    QQueue<Message> waiting_;
};
