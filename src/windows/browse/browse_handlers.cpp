// The Browse dialog's handlers: the place, folder and file lists, the filters, and "OPEN" and
// "CANCEL", which open the chosen file as each kind of file needs.
#include "browse/BrowsePlaces.h"
#include "browse/Browsefrm.h"
#include "browse/FileKinds.h"
#include "browse/FileListModel.h"
#include "browse/FolderTreeModel.h"
#include "engine/MediaEngine.h"
#include "playback/PlayerSession.h"
#include "prefs/Preferences.h"

#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QTreeView>
#include <utility>

void Browsefrm::Form_Load()
{
    fillDrives();
    // The remembered folder; where it cannot be listed, the home folder, then the root.
    fallbacks_ = {QDir::homePath(), QStringLiteral("/")};
    const QString last = ctx_.prefs.values().lastDir;
    askFor(last.isEmpty() ? fallbacks_.takeFirst() : last);
    // The keyboard starts where the way to a file starts.
    dirList->setFocus();
}

void Browsefrm::Form_Activate()
{
    hideOpenas();
    const FileKinds::Filters kinds = FileKinds::filtersFor(mode_);
    {
        const QSignalBlocker quiet(CmbFilter);
        CmbFilter->clear();
        filterPatterns = {};
        for (int i = 0; i < kinds.entries.size() && i < int(filterPatterns.size()); ++i) {
            CmbFilter->addItem(kinds.entries[i]);
            filterPatterns[i] = kinds.patterns.value(i);
        }
        CmbFilter->setCurrentIndex(0);
    }
    applyFileFilter(filterPatterns[0]);
    if (mode_ == FileKinds::Subtitles) {
        Openas->show();
        Label1->show();
    }
    // A stick plugged in since the last visit shows up among the places.
    fillDrives();
}

void Browsefrm::CmbFilter_Click(int index)
{
    if (index >= 0 && index < int(filterPatterns.size()))
        applyFileFilter(filterPatterns[index]);
}

void Browsefrm::applyFileFilter(const QString &patterns)
{
    files_->setFilters(files_->filters(), FileKinds::nameFilters(patterns));
}

void Browsefrm::Check1_Click()
{
    // Read-only files are always listed: on a disc every file is read-only.
    const bool all = Check1->isChecked();
    files_->setFilters(QDir::Files | QDir::NoDotAndDotDot | (all ? QDir::Hidden | QDir::System : QDir::Filters()),
                       files_->nameFilters());
    folders_->setShowHidden(all);
    folders_->refresh(dirPath_);
}

void Browsefrm::fillDrives()
{
    drives_ = ctx_.drives.volumes();
    const QSignalBlocker quiet(drvList);
    drvList->clear();
    for (const Drive &d : drives_)
        drvList->addItem(d.name, d.root);
    drvList->setCurrentIndex(BrowsePlaces::driveFor(drives_, dirPath_));
}

void Browsefrm::drvList_Change()
{
    const int i = drvList->currentIndex();
    const bool ready = i >= 0 && i < drives_.size() && drives_[i].ready;
    // A place whose medium cannot be read leaves the list where the folder is, without a word.
    if (ready) {
        setDirPath(drives_[i].root);
    } else {
        const QSignalBlocker quiet(drvList);
        drvList->setCurrentIndex(BrowsePlaces::driveFor(drives_, dirPath_));
    }
}

void Browsefrm::showPlaceOf(const QString &folder)
{
    const int i = BrowsePlaces::driveFor(drives_, folder);
    folders_->setPlace(i >= 0 ? QDir::cleanPath(drives_[i].root) : QStringLiteral("/"));
    const QSignalBlocker quiet(drvList);
    drvList->setCurrentIndex(i);
}

void Browsefrm::setDirPath(const QString &folder)
{
    fallbacks_.clear();
    askFor(folder);
}

void Browsefrm::askFor(const QString &folder)
{
    files_->list(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()));
}

void Browsefrm::folderListed(const QString &folder, const QStringList &folders)
{
    fallbacks_.clear();
    const QString highlighted = std::exchange(highlighted_, QString());
    if (folder == dirPath_) {
        folders_->setFolders(folder, folders);
        // Read again: the highlight stays on its file while the file is there.
        if (!highlighted.isEmpty() && !filList->currentIndex().isValid())
            filList->setCurrentIndex(files_->indexOf(highlighted));
        return;
    }
    dirPath_ = folder;
    showPlaceOf(folder);
    // The folder's own folders came with its files: the tree does not read it again.
    const QModelIndex at = folders_->reveal(folder);
    folders_->setFolders(folder, folders);
    dirList->setCurrentIndex(at);
    dirList->expand(at);
    dirList->scrollTo(at);
    revealing_ = true;
    dirList_Change();
}

void Browsefrm::folderRefused(const QString &folder)
{
    if (!fallbacks_.isEmpty()) {
        askFor(fallbacks_.takeFirst());
        return;
    }
    // A folder that cannot be listed leaves the highlight and the place where the current folder is.
    if (folder != dirPath_ && !dirPath_.isEmpty()) {
        showPlaceOf(dirPath_);
        dirList->setCurrentIndex(folders_->reveal(dirPath_));
    }
}

QString Browsefrm::highlightedFolder() const
{
    const QModelIndex at = dirList->currentIndex();
    return at.isValid() ? folders_->pathOf(at) : dirPath_;
}

void Browsefrm::dirList_Change()
{
    // The list shows the folder's files already; it starts at the top with nothing highlighted.
    filList->setCurrentIndex(QModelIndex());
    filList->scrollToTop();
}

void Browsefrm::dirList_LostFocus()
{
    const QString folder = highlightedFolder();
    if (folder != dirPath_)
        setDirPath(folder);
}

void Browsefrm::dirList_DblClick()
{
    dirList_LostFocus();
}

void Browsefrm::filList_Click()
{
    const QModelIndex at = filList->currentIndex();
    if (!at.isValid() || at.parent() != filList->rootIndex())
        return;
    // Arrows move the highlight as a click does, and the entry shows as chosen either way.
    if (!filList->selectionModel()->isSelected(at))
        filList->selectionModel()->select(at, QItemSelectionModel::ClearAndSelect);
    const QString sep = dirPath_.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/");
    selectedFile_ = dirPath_ + sep + files_->fileName(at);
}

void Browsefrm::filList_DblClick()
{
    filList_Click();
    cmdOpen_Click();
}

void Browsefrm::choose(int mode, const QString &caption)
{
    mode_ = mode;
    setWindowTitle(caption);
    show();
    raise();
    activateWindow();
    // The window may be active already, and then no activation tells it the new kind of file.
    Form_Activate();
    // What changed on the disk while the dialog was away shows now.
    files_->refresh();
    folders_->refresh(dirPath_);
}

void Browsefrm::cmdOpen_Click()
{
    const QString file = selectedFile_;
    if (file.isEmpty())
        return;
    switch (mode_) {
    case FileKinds::QuickIni:
        ctx_.session.playDisc(file, true);
        break;
    case FileKinds::Video:
        // A new movie starts at normal speed; its open halts the one playing.
        ctx_.session.setRate(PlayerSession::normalRate);
        ctx_.session.openMovie(file);
        break;
    case FileKinds::Audio:
        ctx_.session.openSound(file);
        break;
    case FileKinds::Subtitles: {
        // Without a video the path waits for the next one, which loads it with detection.
        const int code = Openas->currentData().toInt();
        ctx_.session.chooseSubtitles(file, code == 255 ? std::nullopt : std::optional<int>(code));
        hideOpenas();
        break;
    }
    case FileKinds::Skin:
        emit skinChosen(file);
        break;
    default:
        break;
    }
    ctx_.prefs.set(&Prefs::lastDir, dirPath_);
    hide();
}

void Browsefrm::cmdExit_Click()
{
    hideOpenas();
    hide();
}

void Browsefrm::reject()
{
    cmdExit_Click();
}

void Browsefrm::hideOpenas()
{
    Openas->hide();
    Label1->hide();
}
