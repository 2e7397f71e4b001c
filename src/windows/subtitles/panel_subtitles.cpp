// The panel's side of the subtitles: loading a file into the table, the "Sub" button, the display
// timer and the re-find after a seek, and the overlay window's ties to the panel.
#include "dialogs/Dialogs.h"
#include "engine/MediaEngine.h"
#include "playback/Panelfrm.h"
#include "playback/PlayerSession.h"
#include "prefs/Preferences.h"
#include "startup/RunLog.h"
#include "subtitles/SubtitleReaders.h"
#include "subtitles/subtitles.h"


void Panelfrm::attachOverlay(subtitles *form)
{
    subtitlesForm = form;
    session.setOverlay(form);
    connect(form, &subtitles::restorePanel, this, &Panelfrm::restore);
    connect(form, &subtitles::bringPanelForward, this, &Panelfrm::bringForward);
    connect(form, &subtitles::minimisePanel, this, &Panelfrm::minim_Click);
}

void Panelfrm::getsubtitles(const QString &subfile, std::optional<int> Subformat)
{
    session.loadSubtitles(subfile, Subformat);
}

void Panelfrm::subopen_Click()
{
    showBrowse(4, QStringLiteral("Locate Subtitles"));
}

void Panelfrm::subopen_Drop(const QStringList &paths)
{
    if (paths.size() != 1)
        return;
    // Without a video the path waits for the next one, which reloads it.
    session.chooseSubtitles(paths.first());
}
