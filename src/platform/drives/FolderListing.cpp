#include "drives/FolderListing.h"

#include "browse/NameOrder.h"
#include "drives/Volumes.h"
#include "threads/DetachedThreads.h"

#include <QDirIterator>
#include <mutex>
#include <vector>

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
    std::vector<std::pair<quint64, FolderListing::Result>> letters;
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
    DetachedThreads::start([mailbox = mailbox_, request, ticket] {
        FolderListing::Result result = FolderListing::read(request);
        // Left in the mailbox under its lock, so that the owner's thread takes it from there and nothing
        // crosses inside the post itself; an owner gone since leaves it to go with the thread.
        const std::lock_guard guard(mailbox->lock);
        if (FolderLister *owner = mailbox->owner) {
            mailbox->letters.emplace_back(ticket, std::move(result));
            QMetaObject::invokeMethod(owner, "collect", Qt::QueuedConnection);
        }
    });
    return ticket;
}

void FolderLister::collect()
{
    std::vector<std::pair<quint64, FolderListing::Result>> letters;
    {
        const std::lock_guard guard(mailbox_->lock);
        letters.swap(mailbox_->letters);
    }
    for (const auto &[ticket, result] : letters) {
        underWay_.removeIf([ticket](const auto &entry) { return entry.second == ticket; });
        emit listed(ticket, result);
    }
}
