#include "browse/Browsefrm.h"

#include "browse/BrowsePlaces.h"
#include "browse/FileKinds.h"
#include "browse/FileListModel.h"
#include "browse/FolderTreeModel.h"
#include "drives/Drives.h"
#include "numbers/Twips.h"
#include "prefs/CaptionFit.h"
#include "prefs/DialogKeys.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

Browsefrm::Browsefrm(const BrowseContext &ctx, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ctx_(ctx), folders_(new FolderTreeModel(this)), files_(new FileListModel(this))
{
    setObjectName(QStringLiteral("Browsefrm"));
    setWindowTitle(QStringLiteral("Browse"));
    setFixedSize(Twips::toPixels(0, 0, 5400, 3495, ctx_.twipsPerPixelX, ctx_.twipsPerPixelY).size());

    drvList = new QComboBox(this);
    drvList->setObjectName(QStringLiteral("drvList"));
    place(drvList, 60, 60, 3015, 315);
    // Places are found away from the dialog; what arrives while it shows joins the list.
    connect(&ctx_.drives, &Drives::changed, this, [this] {
        if (isVisible())
            fillDrives();
    });

    dirList = new QTreeView(this);
    dirList->setObjectName(QStringLiteral("dirList"));
    dirList->setModel(folders_);
    dirList->setHeaderHidden(true);
    dirList->setExpandsOnDoubleClick(false);
    dirList->setIndentation(12);
    place(dirList, 60, 420, 3015, 1890);

    filList = new QListView(this);
    filList->setObjectName(QStringLiteral("filList"));
    // Every row is one line of text, so a folder of any size is laid out without measuring its rows.
    filList->setUniformItemSizes(true);
    filList->setModel(files_);
    place(filList, 3180, 60, 2115, 2235);

    CmbFilter = new QComboBox(this);
    CmbFilter->setObjectName(QStringLiteral("CmbFilter"));
    place(CmbFilter, 60, 2460, 5235, 315);
    Check1 = new QCheckBox(QStringLiteral("Show all files"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    place(Check1, 3360, 2820, 1755, 255);
    cmdOpen = new QPushButton(QStringLiteral("OPEN"), this);
    cmdOpen->setObjectName(QStringLiteral("cmdOpen"));
    cmdOpen->setDefault(true);
    place(cmdOpen, 120, 2940, 1035, 435);
    cmdExit = new QPushButton(QStringLiteral("CANCEL"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    cmdExit->setAutoDefault(false);
    place(cmdExit, 1200, 2940, 1095, 435);
    Label1 = new QLabel(QStringLiteral("Open as:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    place(Label1, 2520, 3180, 795, 195);
    Openas = new QComboBox(this);
    Openas->setObjectName(QStringLiteral("Openas"));
    // Each entry carries the format code the subtitle loader takes; 255 lets it detect the format.
    Openas->addItem(QStringLiteral("Autodetect"), 255);
    Openas->addItem(QStringLiteral("MicroDVD"), 0);
    Openas->addItem(QStringLiteral("Subrip"), 1);
    Openas->addItem(QStringLiteral("Subviewer 2.0"), 2);
    place(Openas, 3360, 3120, 1815, 315);
    fitCaptions();

    // The lists have no caption on the window; assistive tools name them. A combo box is read by its
    // current entry, so the two drop-downs say what they hold in their description.
    drvList->setAccessibleDescription(QStringLiteral("Places"));
    dirList->setAccessibleName(QStringLiteral("Folders"));
    filList->setAccessibleName(QStringLiteral("Files"));
    CmbFilter->setAccessibleDescription(QStringLiteral("File types"));
    Label1->setBuddy(Openas);
    DialogKeys::returnKeyboard(this);
    setTabOrder(drvList, dirList);
    setTabOrder(dirList, filList);
    setTabOrder(filList, CmbFilter);
    setTabOrder(CmbFilter, Check1);
    // How to read a subtitle file is chosen before it opens.
    setTabOrder(Check1, Openas);
    setTabOrder(Openas, cmdOpen);
    setTabOrder(cmdOpen, cmdExit);

    // Folders arrive from other threads: until the user takes the folder list in hand, it keeps the
    // current folder in sight as they come.
    connect(folders_, &QAbstractItemModel::rowsInserted, this, [this] {
        if (revealing_)
            QTimer::singleShot(0, this, [this] { dirList->scrollTo(dirList->currentIndex()); });
    });
    connect(files_, &FileListModel::listed, this, &Browsefrm::folderListed);
    connect(files_, &FileListModel::refused, this, &Browsefrm::folderRefused);
    connect(files_, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { highlighted_ = files_->fileName(filList->currentIndex()); });
    connect(filList->selectionModel(), &QItemSelectionModel::currentChanged, this, &Browsefrm::filList_Click);
    connect(drvList, &QComboBox::activated, this, &Browsefrm::drvList_Change);
    connect(dirList, &QTreeView::doubleClicked, this, &Browsefrm::dirList_DblClick);
    connect(filList, &QListView::clicked, this, &Browsefrm::filList_Click);
    connect(filList, &QListView::doubleClicked, this, &Browsefrm::filList_DblClick);
    connect(CmbFilter, &QComboBox::currentIndexChanged, this, &Browsefrm::CmbFilter_Click);
    connect(Check1, &QCheckBox::clicked, this, &Browsefrm::Check1_Click);
    connect(cmdOpen, &QPushButton::clicked, this, &Browsefrm::cmdOpen_Click);
    connect(cmdExit, &QPushButton::clicked, this, &Browsefrm::cmdExit_Click);
    for (QWidget *w : {static_cast<QWidget *>(dirList), dirList->viewport(), filList->viewport()})
        w->installEventFilter(this);
    dirList->viewport()->setMouseTracking(true);
    filList->viewport()->setMouseTracking(true);

    hideOpenas();
    Form_Load();
}

void Browsefrm::place(QWidget *w, int left, int top, int width, int height) const
{
    w->setGeometry(Twips::toPixels(left, top, width, height, ctx_.twipsPerPixelX, ctx_.twipsPerPixelY));
}

void Browsefrm::fitCaptions()
{
    // The design's "MS Sans Serif" 8.25 bold, in the dialogs' face; the filter list holds every
    // mode's entries in turn.
    QStringList filters;
    for (int mode = FileKinds::QuickIni; mode <= FileKinds::Skin; ++mode)
        filters << FileKinds::filtersFor(mode).entries;
    CaptionFit::fitWindow(this, CaptionFit::narrowFont(8.25, true), {}, {{CmbFilter, filters}});
    // The lists show where the keys go, whichever way the focus came.
    const QString focusMark = QStringLiteral(":focus { border: 2px solid palette(highlight); }");
    dirList->setStyleSheet(QStringLiteral("QTreeView") + focusMark);
    filList->setStyleSheet(QStringLiteral("QListView") + focusMark);
}

bool Browsefrm::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        Form_Activate();
    return QDialog::event(e);
}

bool Browsefrm::eventFilter(QObject *watched, QEvent *e)
{
    if ((watched == dirList && e->type() == QEvent::KeyPress)
        || (watched == dirList->viewport() && (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::Wheel)))
        revealing_ = false;
    if (watched == dirList && e->type() == QEvent::KeyPress) {
        // Enter on a folder goes into it; it must not reach the default button.
        const int key = static_cast<QKeyEvent *>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            dirList_DblClick();
            return true;
        }
    } else if (watched == dirList && e->type() == QEvent::FocusOut) {
        // Only a move to another control counts, not a switch to another window.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(e)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            dirList_LostFocus();
    } else if (e->type() == QEvent::MouseMove && (watched == dirList->viewport() || watched == filList->viewport())) {
        // The tip names the highlighted entry, which a narrow list may show cut off.
        QAbstractItemView *view = watched == dirList->viewport() ? static_cast<QAbstractItemView *>(dirList) : filList;
        view->setToolTip(view->currentIndex().data().toString());
    }
    return QDialog::eventFilter(watched, e);
}
