#include "browse/FolderTreeModel.h"

#include "browse/NameOrder.h"

#include <QFileInfo>
#include <QIcon>
#include <QSet>
#include <algorithm>
#include <optional>
#include <vector>

struct FolderTreeModel::Node {
    enum class State { Unlisted, Listing, Listed };

    QString name;
    Node *parent = nullptr;
    std::vector<std::unique_ptr<Node>> children;
    State state = State::Unlisted;
    quint64 ticket = 0;

    int row() const
    {
        const auto &siblings = parent->children;
        return int(std::find_if(siblings.begin(), siblings.end(), [this](const auto &n) { return n.get() == this; })
                   - siblings.begin());
    }
    Node *child(const QString &childName) const
    {
        for (const auto &n : children) {
            if (n->name == childName)
                return n.get();
        }
        return nullptr;
    }
};

FolderTreeModel::FolderTreeModel(QObject *parent)
    : QAbstractItemModel(parent), top_(std::make_unique<Node>()), folderIcon_(QIcon::fromTheme(QStringLiteral("folder")))
{
    connect(&lister_, &FolderLister::listed, this, &FolderTreeModel::take);
}

FolderTreeModel::~FolderTreeModel() = default;

void FolderTreeModel::setPlace(const QString &root)
{
    if (root == root_ && !top_->children.empty())
        return;
    beginResetModel();
    root_ = root;
    top_ = std::make_unique<Node>();
    auto place = std::make_unique<Node>();
    place->name = root == QLatin1String("/") ? root : QFileInfo(root).fileName();
    place->parent = top_.get();
    top_->children.push_back(std::move(place));
    endResetModel();
}

QString FolderTreeModel::pathOf(const Node *node) const
{
    if (node == top_.get())
        return {};
    if (node->parent == top_.get())
        return root_;
    const QString above = pathOf(node->parent);
    return above.endsWith(QLatin1Char('/')) ? above + node->name : above + QLatin1Char('/') + node->name;
}

QString FolderTreeModel::pathOf(const QModelIndex &index) const
{
    return index.isValid() ? pathOf(nodeOf(index)) : QString();
}

// The names below the place on the way to `path`, or nothing when the place does not hold it.
static std::optional<QStringList> stepsBelow(const QString &root, const QString &path)
{
    if (root.isEmpty())
        return std::nullopt;
    if (path == root)
        return QStringList();
    const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    if (!path.startsWith(prefix))
        return std::nullopt;
    return path.mid(prefix.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

FolderTreeModel::Node *FolderTreeModel::find(const QString &path) const
{
    const std::optional<QStringList> steps = stepsBelow(root_, path);
    if (!steps || top_->children.empty())
        return nullptr;
    Node *node = top_->children.front().get();
    for (const QString &step : *steps) {
        if (!(node = node->child(step)))
            return nullptr;
    }
    return node;
}

QModelIndex FolderTreeModel::reveal(const QString &folder)
{
    const std::optional<QStringList> steps = stepsBelow(root_, folder);
    if (!steps || top_->children.empty())
        return {};
    kept_ = folder;
    const NameOrder order;
    Node *node = top_->children.front().get();
    for (const QString &step : *steps) {
        Node *next = node->child(step);
        if (!next) {
            const auto at = std::lower_bound(node->children.begin(), node->children.end(), step,
                                             [&order](const auto &n, const QString &name) {
                                                 return order.lessThan(n->name, name);
                                             });
            const int row = int(at - node->children.begin());
            insertChildren(node, row, {step});
            next = node->children[size_t(row)].get();
        }
        node = next;
    }
    return indexOf(node);
}

void FolderTreeModel::setFolders(const QString &folder, const QStringList &names)
{
    Node *node = find(folder);
    if (!node)
        return;
    // Newer than any reading of the folder's own still under way, which then goes unused.
    node->ticket = 0;
    node->state = Node::State::Listed;
    merge(node, names);
}

void FolderTreeModel::setShowHidden(bool show)
{
    showHidden_ = show;
}

void FolderTreeModel::refresh(const QString &except)
{
    relistAll(top_.get(), except);
}

void FolderTreeModel::relistAll(Node *node, const QString &except)
{
    if (node != top_.get() && node->state != Node::State::Unlisted && pathOf(node) != except)
        list(node);
    for (const auto &child : node->children)
        relistAll(child.get(), except);
}

void FolderTreeModel::list(Node *node)
{
    const QDir::Filters filters = QDir::AllDirs | QDir::NoDotAndDotDot | (showHidden_ ? QDir::Hidden : QDir::Filters());
    const QString path = pathOf(node);
    node->ticket = lister_.list({path, filters, {}, QLocale()});
    asked_.insert(node->ticket, path);
    if (node->state == Node::State::Unlisted)
        node->state = Node::State::Listing;
}

void FolderTreeModel::take(quint64 ticket, const FolderListing::Result &result)
{
    Node *node = find(asked_.take(ticket));
    // A folder gone from the tree, or asked again since, waits for its own answer.
    if (!node || node->ticket != ticket)
        return;
    node->state = Node::State::Listed;
    merge(node, result.folders);
}

void FolderTreeModel::merge(Node *node, QStringList names)
{
    // The way to the folder shown stays, even through a hidden folder.
    if (const std::optional<QStringList> steps = stepsBelow(pathOf(node), kept_); steps && !steps->isEmpty()) {
        const QString &next = steps->front();
        if (!names.contains(next)) {
            const NameOrder order;
            names.insert(std::lower_bound(names.begin(), names.end(), next,
                                          [&order](const QString &a, const QString &b) { return order.lessThan(a, b); }),
                         next);
        }
    }
    const QModelIndex parent = indexOf(node);
    auto &children = node->children;
    const auto removeRows = [&](int first, int last) {
        beginRemoveRows(parent, first, last);
        children.erase(children.begin() + first, children.begin() + last + 1);
        endRemoveRows();
    };
    // Rows whose folders are gone go, in runs from the end so that the rows before keep their numbers.
    const QSet<QString> listed(names.begin(), names.end());
    for (int last = int(children.size()) - 1; last >= 0;) {
        if (listed.contains(children[size_t(last)]->name)) {
            --last;
            continue;
        }
        int first = last;
        while (first > 0 && !listed.contains(children[size_t(first - 1)]->name))
            --first;
        removeRows(first, last);
        last = first - 1;
    }
    // The rows left are in the listing's order unless the order itself changed (another language).
    qsizetype at = 0;
    for (const auto &child : children) {
        while (at < names.size() && names[at] != child->name)
            ++at;
        if (at == names.size()) {
            removeRows(0, int(children.size()) - 1);
            break;
        }
    }
    // The new folders come in between, in runs.
    size_t row = 0;
    for (qsizetype i = 0; i < names.size();) {
        if (row < children.size() && children[row]->name == names[i]) {
            ++row;
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < names.size() && !(row < children.size() && children[row]->name == names[end]))
            ++end;
        insertChildren(node, int(row), names.mid(i, end - i));
        row += size_t(end - i);
        i = end;
    }
}

void FolderTreeModel::insertChildren(Node *node, int row, const QStringList &names)
{
    beginInsertRows(indexOf(node), row, row + int(names.size()) - 1);
    std::vector<std::unique_ptr<Node>> added;
    for (const QString &name : names) {
        auto child = std::make_unique<Node>();
        child->name = name;
        child->parent = node;
        added.push_back(std::move(child));
    }
    node->children.insert(node->children.begin() + row, std::make_move_iterator(added.begin()),
                          std::make_move_iterator(added.end()));
    endInsertRows();
}

FolderTreeModel::Node *FolderTreeModel::nodeOf(const QModelIndex &index) const
{
    return index.isValid() ? static_cast<Node *>(index.internalPointer()) : top_.get();
}

QModelIndex FolderTreeModel::indexOf(const Node *node) const
{
    return node == top_.get() ? QModelIndex() : createIndex(node->row(), 0, node);
}

QModelIndex FolderTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    const Node *node = nodeOf(parent);
    if (column != 0 || row < 0 || size_t(row) >= node->children.size())
        return {};
    return createIndex(row, 0, node->children[size_t(row)].get());
}

QModelIndex FolderTreeModel::parent(const QModelIndex &child) const
{
    return child.isValid() ? indexOf(nodeOf(child)->parent) : QModelIndex();
}

int FolderTreeModel::rowCount(const QModelIndex &parent) const
{
    return parent.column() > 0 ? 0 : int(nodeOf(parent)->children.size());
}

int FolderTreeModel::columnCount(const QModelIndex &) const
{
    return 1;
}

QVariant FolderTreeModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return nodeOf(index)->name;
    if (role == Qt::DecorationRole)
        return folderIcon_;
    return {};
}

bool FolderTreeModel::hasChildren(const QModelIndex &parent) const
{
    // A folder not read yet may hold folders.
    const Node *node = nodeOf(parent);
    return !node->children.empty() || (parent.isValid() && node->state != Node::State::Listed);
}

bool FolderTreeModel::canFetchMore(const QModelIndex &parent) const
{
    return parent.isValid() && nodeOf(parent)->state == Node::State::Unlisted;
}

void FolderTreeModel::fetchMore(const QModelIndex &parent)
{
    if (canFetchMore(parent))
        list(nodeOf(parent));
}
