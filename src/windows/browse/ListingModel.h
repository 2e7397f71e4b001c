#pragma once
// A file-system model that can be let go without waiting. Qt lists folders on a thread of its own and
// deleting the model waits for that thread; on a network mount that stopped answering the thread waits
// for ever, and the dialog with it. So the model keeps the folders it has asked for until they arrive,
// and one let go before then is deleted once they have, or goes with the process.
#include <QFileSystemModel>
#include <QSet>
#include <memory>

class ListingModel : public QFileSystemModel {
    Q_OBJECT
public:
    explicit ListingModel(QObject *parent = nullptr);

    void fetchMore(const QModelIndex &parent) override;

    struct Release {
        void operator()(ListingModel *model) const;
    };

private:
    QSet<QString> asked_;
};

using ListingModelPtr = std::unique_ptr<ListingModel, ListingModel::Release>;
