#pragma once
// The Browse dialog: one modeless window that picks every file the player opens by browsing (a Quick
// ini file, a video, an audio file, subtitles, a skin picture) and opens it itself through the session;
// a skin picture goes to the panel.
// The caller shows it through choose(); it is only hidden and shown again, so its folder, selection
// and "Open as" choice last for the run.
#include "drives/Drives.h"

#include <QDialog>
#include <array>

class FileListModel;
class FolderTreeModel;
class PlayerSession;
class Preferences;
class QCheckBox;
class QComboBox;
class QLabel;
class QListView;
class QPushButton;
class QTreeView;

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
    // Moves the lists to `folder` and the drive list to its place once the folder's files have been
    // read; a folder that cannot be listed moves nothing, and one that never answers keeps the lists
    // where they are.
    void setDirPath(const QString &folder);

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
    void askFor(const QString &folder);
    void folderListed(const QString &folder, const QStringList &folders);
    void folderRefused(const QString &folder);

    BrowseContext ctx_;
    QString selectedFile_;
    QList<Drive> drives_;
    FolderTreeModel *folders_;
    FileListModel *files_;
    QString dirPath_;
    // Where to look next when the folder asked for cannot be listed (the remembered folder gone).
    QStringList fallbacks_;
    // The file highlighted before the list was read again, highlighted again after.
    QString highlighted_;
    bool revealing_ = false;
    int mode_ = 0;
};
