#pragma once
// The Browse dialog's file list: the names of one folder's files that pass the filters, sorted, read
// on another thread together with the folder's sub-folders. The list moves to a folder once its listing
// has arrived, so until then it shows the folder it had, and a folder that cannot be listed never
// replaces it. Icons follow the names' types, so showing a row never touches the disk.
#include "drives/FolderListing.h"

#include <QAbstractListModel>
#include <QHash>
#include <QIcon>
#include <QMimeDatabase>
#include <utility>

class FileListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit FileListModel(QObject *parent = nullptr);

    // Lists `folder`; `listed` or `refused` tells how it went.
    void list(const QString &folder);
    // Lists again, with these filters, the folder asked for last.
    void setFilters(QDir::Filters filters, const QStringList &nameFilters);
    void refresh();

    QDir::Filters filters() const { return filters_; }
    QStringList nameFilters() const { return nameFilters_; }
    // The folder whose files are listed.
    QString folder() const { return folder_; }
    QString fileName(const QModelIndex &index) const;
    QModelIndex indexOf(const QString &name) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

signals:
    // The list shows `folder`'s files now (a folder listed again comes too); `folders` are its
    // sub-folders, hidden ones among them when hidden files are listed.
    void listed(const QString &folder, const QStringList &folders);
    // `folder` could not be listed; the list shows what it showed before, or nothing if that was `folder`.
    void refused(const QString &folder);

private:
    void take(quint64 ticket, const FolderListing::Result &result);

    FolderLister lister_;
    QDir::Filters filters_ = QDir::Files | QDir::NoDotAndDotDot;
    QStringList nameFilters_;
    QString asked_;
    // The listing asked for last, and its folder.
    std::pair<quint64, QString> reading_;
    bool refreshing_ = false;
    QString folder_;
    QStringList names_;
    QMimeDatabase types_;
    mutable QHash<QString, QIcon> icons_;
};
