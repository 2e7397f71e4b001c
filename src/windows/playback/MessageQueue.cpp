#include "playback/MessageQueue.h"

void MessageQueue::post(const QString &text, Dialogs::Icon icon, const QString &title)
{
    waiting_.enqueue({text, icon, title});
    if (waiting_.size() == 1)
        QMetaObject::invokeMethod(this, &MessageQueue::showNext, Qt::QueuedConnection);
}

void MessageQueue::showNext()
{
    // The box on screen stays at the head while the user reads it: what arrives meanwhile waits its
    // turn behind it.
    while (!waiting_.isEmpty()) {
        const Message &m = waiting_.head();
        dialogs_.msgBox(m.text, m.icon, m.title);
        waiting_.dequeue();
    }
}
