// Disc mode on the panel: the optical drives found at start, the CD button's search, browse and drop,
// runCD putting a Quick ini file's lists on the windows, and the buttons that open the selection.
#include "disc/DiscPaths.h"
#include "disc/QuickIni.h"
#include "disc/SelectFrm.h"
#include "dialogs/Dialogs.h"
#include "drives/Drives.h"
#include "playback/Panelfrm.h"
#include "playback/PlayerSession.h"
#include "prefs/Settings.h"
#include "startup/AppState.h"
#include "startup/RunLog.h"

#include <QComboBox>
#include <QListWidget>

namespace {

// The drives the panel has slots for: the first four optical drives, in the service's order.
QList<Drive> slotDrives(Drives &drives)
{
    QList<Drive> found;
    for (const Drive &d : drives.opticalDrives()) {
        if (!d.name.isEmpty() && found.size() < 4)
            found << d;
    }
    return found;
}

// The selection window, made on first use and only hidden afterwards.
SelectFrm *selection(Panelfrm &panel)
{
    if (!panel.selectForm)
        panel.selectForm = new SelectFrm(panel);
    return panel.selectForm;
}

}  // namespace

void Panelfrm::GetCDRoms()
{
    log.line(QStringLiteral("Trying to get CDRoms"));
    cdDriveCount = 0;
    for (int i = 1; i <= 4; ++i)
        cdDrives[i].clear();
    for (const Drive &d : slotDrives(drives))
        cdDrives[++cdDriveCount] = d.name;
}

void Panelfrm::CDplay_MouseDown(int button, int, double, double)
{
    if (button == 2) {
        showBrowse(1, QStringLiteral("Locate Quick ini file"));
        return;
    }
    if (cdDriveCount == 0) {
        dialogs.msgBox(QStringLiteral("No CD-rom Drives found "), Dialogs::Icon::Exclamation);
        return;
    }
    // Readiness and the files are asked anew; the slots stay as start-up found them.
    const QList<Drive> now = slotDrives(drives);
    for (int slot = 1; slot <= cdDriveCount; ++slot) {
        const Drive drive = now.value(slot - 1);
        bool started = false;
        if (drive.ready) {
            const QString ini = DiscPaths::quickIniIn(drive.root);
            if (!ini.isEmpty()) {
                cdRoot = drive.root;
                playDisc(ini, false);
                started = true;
            }
        } else {
            dialogs.msgBox(QStringLiteral("No Divx CD detected or Drive not Ready\n"
                                          "Wait until Drive is ready or put a Divx in the Drive"),
                           Dialogs::Icon::None, QStringLiteral("Critical Error"));
        }
        log.zones(QStringLiteral("Ini file (CDMODE):"), session.disc().iniFile);
        if (started)
            break;
    }
}

void Panelfrm::CDplay_Drop(const QStringList &paths)
{
    if (paths.size() != 1)
        return;
    playDisc(paths.first(), true);
}

void Panelfrm::playDisc(const QString &iniPath, bool chosenByPath)
{
    session.chooseDisc(iniPath);
    runCD(iniPath, discBase(iniPath, chosenByPath));
}

QString Panelfrm::discBase(const QString &iniPath, bool chosenByPath) const
{
    return QuickIni::mediaBase(app.autorunMode, chosenByPath, app.appPath, iniPath, cdRoot);
}

void Panelfrm::runCD(const QString &INIfile, const QString &mediaBase)
{
    QListWidget *list = selection(*this)->ListSelect;
    QComboBox *inis = selectForm->ComboINI;
    list->clear();
    inis->clear();
    list->addItem(QStringLiteral("MAIN MOVIE"));
    inis->addItem(session.disc().iniFile);
    log.line(QStringLiteral("INI mode"));

    const QuickDisc disc = session.readDisc(INIfile, mediaBase);

    QComboBox *subs = settingsForm->SubCombo;
    subs->clear();
    subs->addItems(disc.subNames);
    subs->setCurrentIndex(disc.defaultSub);
    if (disc.defaultSub < 0)
        subs->setEditText(QStringLiteral("None"));

    list->addItems(disc.specialNames);
    inis->addItems(disc.specialInis);
    for (const QuickDisc::Chapter &chapter : disc.chapters) {
        auto *item = new QListWidgetItem(chapter.name, list);
        item->setData(Qt::UserRole, chapter.number);
    }

    QComboBox *langs = settingsForm->LangCombo;
    langs->clear();
    langs->addItems(disc.langNames);
    langs->setCurrentIndex(0);
    // The subtitles and these labels follow once the movie's open has ended.
    discLabels_ = DiscLabels{disc.title, subs->currentText(), langs->currentText(), disc.specialsListed};
    session.openDiscMovie(disc);
}

void Panelfrm::LblScenes_Click()
{
    selection(*this)->show();
    selectForm->setWindowTitle(QStringLiteral("Scene Selection"));
}

void Panelfrm::Lblspecial_Click()
{
    selection(*this)->show();
    selectForm->setWindowTitle(QStringLiteral("Specials Selection"));
}
