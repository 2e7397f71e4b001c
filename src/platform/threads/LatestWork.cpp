#include "threads/LatestWork.h"

#include <QMetaObject>

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

void LatestWork::Mailbox::post(std::function<void(LatestWork &)> deliver)
{
    const std::lock_guard guard(lock);
    if (LatestWork *to = owner)
        QMetaObject::invokeMethod(to, [to, deliver = std::move(deliver)] { deliver(*to); }, Qt::QueuedConnection);
}
