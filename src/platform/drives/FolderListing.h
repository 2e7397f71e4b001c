#pragma once
// A folder's entries read by name alone, on a thread of their own: no entry is examined beyond what the
// folder itself tells, and a folder on a mount that stopped answering holds only its own thread.
#include <QDir>
#include <QLocale>
#include <QObject>
#include <QStringList>
#include <memory>

namespace FolderListing {

struct Request {
    QString folder;
    QDir::Filters filters;
    QStringList nameFilters;  // wildcards, matched without regard to case; empty lists every name
    QLocale locale;           // whose order the names come in

    bool operator==(const Request &) const = default;
};

struct Result {
    QStringList names;    // the entries that are not folders, sorted in NameOrder
    QStringList folders;  // the folders, sorted in NameOrder
    bool listable = false;
};

// Reads on the calling thread.
Result read(const Request &request);

}  // namespace FolderListing

// Reads folders away from its own thread and hands each listing back on it. Letting it go never waits for
// a listing under way: that one finishes on its own and goes nowhere.
class FolderLister : public QObject {
    Q_OBJECT
public:
    explicit FolderLister(QObject *parent = nullptr);
    ~FolderLister() override;

    // Starts a listing, unless the same one is under way; `listed` carries the returned ticket.
    quint64 list(const FolderListing::Request &request);

signals:
    void listed(quint64 ticket, const FolderListing::Result &result);

private slots:
    void collect();

private:
    struct Mailbox;
    std::shared_ptr<Mailbox> mailbox_;
    quint64 tickets_ = 0;
    // One thread per request at most, however often it is asked while a mount keeps it waiting.
    QList<std::pair<FolderListing::Request, quint64>> underWay_;
};
