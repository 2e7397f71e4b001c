#include "threads/LatestWork.h"

#include <QMetaObject>
#include <sys/resource.h>
#include <unistd.h>

LatestWork::LatestWork(QObject *parent) : QObject(parent), mailbox_(std::make_shared<Mailbox>())
{
    mailbox_->owner = this;
}

LatestWork::~LatestWork()
{
    const std::lock_guard guard(mailbox_->lock);
    mailbox_->owner = nullptr;
}

void LatestWork::drop()
{
    ++ticket_;
    underWay_ = false;
}

void LatestWork::yieldToUi()
{
    // On Linux a thread has a niceness of its own. Failing, the work just runs at the usual priority.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
}

void LatestWork::Mailbox::post(std::function<void(LatestWork &)> deliver)
{
    const std::lock_guard guard(lock);
    if (LatestWork *to = owner) {
        letters.push_back(std::move(deliver));
        QMetaObject::invokeMethod(to, "collect", Qt::QueuedConnection);
    }
}

void LatestWork::collect()
{
    std::vector<std::function<void(LatestWork &)>> letters;
    {
        const std::lock_guard guard(mailbox_->lock);
        letters.swap(mailbox_->letters);
    }
    for (const auto &deliver : letters)
        deliver(*this);
}
