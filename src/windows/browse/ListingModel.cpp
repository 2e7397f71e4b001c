#include "browse/ListingModel.h"

ListingModel::ListingModel(QObject *parent) : QFileSystemModel(parent)
{
    connect(this, &QFileSystemModel::directoryLoaded, this, [this](const QString &path) { asked_.remove(path); });
}

void ListingModel::fetchMore(const QModelIndex &parent)
{
    // A folder listed already is not asked for again, and no arrival would answer it.
    if (canFetchMore(parent))
        asked_.insert(filePath(parent));
    QFileSystemModel::fetchMore(parent);
}

void ListingModel::Release::operator()(ListingModel *model) const
{
    if (model->asked_.isEmpty()) {
        delete model;
        return;
    }
    model->setParent(nullptr);
    connect(model, &QFileSystemModel::directoryLoaded, model, [model] {
        if (model->asked_.isEmpty())
            model->deleteLater();
    });
}
