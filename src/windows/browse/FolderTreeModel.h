#pragma once
// The Browse dialog's folder tree: one place's own folder as the single top entry, its sub-folders
// below, each folder read on another thread when the view first opens it. No entry is examined beyond
// its folder's listing, so a folder that stops answering holds only the thread reading it.
#include "drives/FolderListing.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QIcon>
#include <memory>

class FolderTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit FolderTreeModel(QObject *parent = nullptr);
    ~FolderTreeModel() override;

    void setPlace(const QString &root);
    // The entry of `folder`, made with the entries on the way to it where their folders have not been
    // listed yet; invalid outside the place. The folder last revealed stays in the tree, hidden or not.
    QModelIndex reveal(const QString &folder);
    QString pathOf(const QModelIndex &index) const;
    // The sub-folders of `folder`, read elsewhere (with its files).
    void setFolders(const QString &folder, const QStringList &names);
    // Hidden folders listed or not, from the next reading on.
    void setShowHidden(bool show);
    // Every folder read so far is read again, but `except`, whose folders come from elsewhere.
    void refresh(const QString &except = {});

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool hasChildren(const QModelIndex &parent = {}) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

private:
    struct Node;
    Node *nodeOf(const QModelIndex &index) const;
    QModelIndex indexOf(const Node *node) const;
    QString pathOf(const Node *node) const;
    Node *find(const QString &path) const;
    void list(Node *node);
    void take(quint64 ticket, const FolderListing::Result &result);
    void merge(Node *node, QStringList names);
    void insertChildren(Node *node, int row, const QStringList &names);
    void relistAll(Node *node, const QString &except);

    std::unique_ptr<Node> top_;
    QString root_;
    QString kept_;
    bool showHidden_ = false;
    FolderLister lister_;
    QHash<quint64, QString> asked_;
    QIcon folderIcon_;
};
