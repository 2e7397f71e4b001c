#pragma once
// The Browse dialog: one modeless window that picks every file the player opens by browsing (a Quick
// ini file, a video, an audio file, subtitles, a skin picture) and opens it itself through the session;
// a skin picture goes to the panel.
// The caller shows it through choose(); it is only hidden and shown again, so its folder, selection
// and "Open as" choice last for the run.
#include "browse/ListingModel.h"
#include "drives/Drives.h"

#include <QDialog>
#include <QSortFilterProxyModel>
#include <array>
#include <memory>

class PlayerSession;
class Preferences;
class QCheckBox;
class QComboBox;
class QLabel;
class QListView;
class QPushButton;
class QTreeView;

// The folder tree of one place: the place's own folder as the single top entry, its sub-folders below.
class PlaceFolders : public QSortFilterProxyModel {
public:
    void setPlace(const QString &root, const QModelIndex &sourceParent);

protected:
    bool filterAcceptsRow(int row, const QModelIndex &sourceParent) const override;

private:
    QString root_;
    QPersistentModelIndex rootParent_;
};

// What the dialog opens files through, where it finds the places, and the screen's twips per pixel.
struct BrowseContext {
    PlayerSession &session;
    Preferences &prefs;
    Drives &drives;
    int twipsPerPixelX;
    int twipsPerPixelY;
};

class Browsefrm : public QDialog {
    Q_OBJECT
public:
    Browsefrm(const BrowseContext &ctx, QWidget *parent);

    QComboBox *drvList;
    QTreeView *dirList;
    QListView *filList;
    QComboBox *CmbFilter;
    QCheckBox *Check1;
    QPushButton *cmdOpen, *cmdExit;
    QLabel *Label1;
    QComboBox *Openas;
    std::array<QString, 3> filterPatterns;

    // The file last clicked in the file list; kept between uses of the dialog.
    const QString &selectedFile() const { return selectedFile_; }

    // The folder whose files are listed, and the entry highlighted in the folder list.
    QString dirPath() const { return dirPath_; }
    QString highlightedFolder() const;
    // Moves the folder list to `folder` and the drive list to its place; false (and nothing moves)
    // when the folder cannot be listed.
    bool setDirPath(const QString &folder);

    // Shows the dialog, modeless, choosing a file of `mode` (FileKinds::Mode) under `caption`.
    void choose(int mode, const QString &caption);
    int mode() const { return mode_; }

    void Form_Load();
    void Form_Activate();
    void CmbFilter_Click(int index);
    void Check1_Click();
    void drvList_Change();
    void dirList_Change();
    void dirList_LostFocus();
    void dirList_DblClick();
    void filList_Click();
    void filList_DblClick();
    void cmdOpen_Click();
    void cmdExit_Click();

    void reject() override;

signals:
    // A skin picture was chosen.
    void skinChosen(const QString &file);

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void place(QWidget *w, int left, int top, int width, int height) const;
    void fitCaptions();
    void fillDrives();
    void showPlaceOf(const QString &folder);
    void applyFileFilter(const QString &patterns);
    void hideOpenas();
    void listFiles();

    BrowseContext ctx_;
    QString selectedFile_;
    QList<Drive> drives_;
    ListingModelPtr folders_{new ListingModel};
    PlaceFolders placeFolders_;
    // A new one for each folder listed: the file model shows every folder it walked through on the
    // way to a folder among the files of that folder's parent, whatever its filter.
    ListingModelPtr files_;
    QString dirPath_;
    bool revealing_ = false;
    int mode_ = 0;
};
