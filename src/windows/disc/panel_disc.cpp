// Disc mode on the panel: the optical drives found at start, the CD button's search, browse and drop,
// and the buttons that open the selection. The session reads and runs the disc.
#include "disc/DiscPaths.h"
#include "disc/SelectFrm.h"
#include "dialogs/Dialogs.h"
#include "drives/Drives.h"
#include "playback/Panelfrm.h"
#include "playback/PlayerSession.h"
#include "startup/AppState.h"
#include "startup/RunLog.h"

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
    if (button == 2)
        browseQuickIni();
    else
        searchDrives();
}

void Panelfrm::browseQuickIni()
{
    showBrowse(1, QStringLiteral("Locate Quick ini file"));
}

void Panelfrm::searchDrives()
{
    if (cdDriveCount == 0) {
        dialogs.msgBox(QStringLiteral("No CD-rom Drives found "), Dialogs::Icon::Exclamation);
        return;
    }
    // Readiness and the files are asked anew; the slots stay as start-up found them.
    const QList<Drive> now = slotDrives(drives);
    for (int slot = 1; slot <= cdDriveCount; ++slot) {
        const Drive drive = now.value(slot - 1);
        if (drive.ready) {
            const QString ini = DiscPaths::quickIniIn(drive.root);
            if (!ini.isEmpty()) {
                // The disc's line goes after those of its read, which end with its movie's open.
                connect(&session, &PlayerSession::discRunEnded, this,
                        [this] { log.zones(QStringLiteral("Ini file (CDMODE):"), session.disc().iniFile); },
                        Qt::SingleShotConnection);
                session.playDisc(ini, false, drive.root);
                break;
            }
        } else {
            dialogs.msgBox(QStringLiteral("No Divx CD detected or Drive not Ready\n"
                                          "Wait until Drive is ready or put a Divx in the Drive"),
                           Dialogs::Icon::None, QStringLiteral("Critical Error"));
        }
        log.zones(QStringLiteral("Ini file (CDMODE):"), session.disc().iniFile);
    }
}

void Panelfrm::CDplay_Drop(const QStringList &paths)
{
    if (paths.size() != 1)
        return;
    session.playDisc(paths.first(), true);
}

void Panelfrm::runCD(const QString &INIfile, const QString &mediaBase)
{
    session.runDisc(INIfile, mediaBase);
}

SelectFrm *Panelfrm::selectionWindow()
{
    // Made on first use and only hidden afterwards.
    if (!selectForm)
        selectForm = new SelectFrm(session, app.twipsPerPixelX, app.twipsPerPixelY, this);
    return selectForm;
}

void Panelfrm::LblScenes_Click()
{
    selectionWindow()->show();
    selectForm->setWindowTitle(QStringLiteral("Scene Selection"));
}

void Panelfrm::Lblspecial_Click()
{
    selectionWindow()->show();
    selectForm->setWindowTitle(QStringLiteral("Specials Selection"));
}
