#include "drives/FolderListing.h"

#include "browse/NameOrder.h"
#include "drives/Volumes.h"

#include <QDirIterator>
#include <mutex>
#include <thread>

namespace FolderListing {

Result read(const Request &request)
{
    Result result;
    result.listable = Volumes::listable(request.folder);
    if (!result.listable)
        return result;
    // The kind of each entry comes from the folder's own record of it; only a symbolic link is followed.
    QDirIterator it(request.folder, request.nameFilters, request.filters);
    while (it.hasNext()) {
        it.next();
        (it.fileInfo().isDir() ? result.folders : result.names).append(it.fileName());
    }
    const NameOrder order(request.locale);
    order.sort(result.names);
    order.sort(result.folders);
    return result;
}

}  // namespace FolderListing

struct FolderLister::Mailbox {
    std::mutex lock;
    FolderLister *owner = nullptr;
};

FolderLister::FolderLister(QObject *parent) : QObject(parent), mailbox_(std::make_shared<Mailbox>())
{
    mailbox_->owner = this;
}

FolderLister::~FolderLister()
{
    const std::lock_guard guard(mailbox_->lock);
    mailbox_->owner = nullptr;
}

quint64 FolderLister::list(const FolderListing::Request &request)
{
    for (const auto &[asked, ticket] : underWay_) {
        if (asked == request)
            return ticket;
    }
    const quint64 ticket = ++tickets_;
    underWay_.append({request, ticket});
    std::thread([mailbox = mailbox_, request, ticket] {
        FolderListing::Result result = FolderListing::read(request);
        // Posted while the owner cannot go; should it go before the post is taken, Qt drops the post.
        const std::lock_guard guard(mailbox->lock);
        if (FolderLister *owner = mailbox->owner)
            QMetaObject::invokeMethod(
                owner,
                [owner, ticket, result = std::move(result)] {
                    owner->underWay_.removeIf([ticket](const auto &entry) { return entry.second == ticket; });
                    emit owner->listed(ticket, result);
                },
                Qt::QueuedConnection);
    }).detach();
    return ticket;
}
