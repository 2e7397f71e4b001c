#include "browse/FileListModel.h"

FileListModel::FileListModel(QObject *parent) : QAbstractListModel(parent)
{
    connect(&lister_, &FolderLister::listed, this, &FileListModel::take);
}

void FileListModel::list(const QString &folder)
{
    asked_ = folder;
    refresh();
}

void FileListModel::setFilters(QDir::Filters filters, const QStringList &nameFilters)
{
    if (filters == filters_ && nameFilters == nameFilters_)
        return;
    filters_ = filters;
    nameFilters_ = nameFilters;
    refresh();
}

void FileListModel::refresh()
{
    // Once for all the changes made together: a folder asked for and its filters set just after are read
    // once, with those filters.
    if (asked_.isEmpty() || refreshing_)
        return;
    refreshing_ = true;
    QMetaObject::invokeMethod(this, [this] {
        refreshing_ = false;
        reading_ = {lister_.list({asked_, filters_ | QDir::AllDirs, nameFilters_, QLocale()}), asked_};
    }, Qt::QueuedConnection);
}

void FileListModel::take(quint64 ticket, const FolderListing::Result &result)
{
    // Only the last request counts: an earlier one may have been slower.
    if (ticket != reading_.first)
        return;
    const QString folder = reading_.second;
    if (!result.listable) {
        if (folder == folder_ && !names_.isEmpty()) {
            beginResetModel();
            names_.clear();
            endResetModel();
        }
        emit refused(folder);
        return;
    }
    if (folder != folder_ || result.names != names_) {
        beginResetModel();
        folder_ = folder;
        names_ = result.names;
        endResetModel();
    }
    emit listed(folder, result.folders);
}

QString FileListModel::fileName(const QModelIndex &index) const
{
    return index.isValid() && index.row() < names_.size() ? names_[index.row()] : QString();
}

QModelIndex FileListModel::indexOf(const QString &name) const
{
    const qsizetype row = names_.indexOf(name);
    return row < 0 ? QModelIndex() : index(int(row));
}

int FileListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(names_.size());
}

QVariant FileListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= names_.size())
        return {};
    const QString &name = names_[index.row()];
    if (role == Qt::DisplayRole)
        return name;
    if (role == Qt::DecorationRole) {
        // The desktop's icon for the type the name tells, as a file manager shows it.
        const QMimeType type = types_.mimeTypeForFile(name, QMimeDatabase::MatchExtension);
        auto icon = icons_.find(type.name());
        if (icon == icons_.end())
            icon = icons_.insert(type.name(), QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName())));
        return *icon;
    }
    return {};
}
