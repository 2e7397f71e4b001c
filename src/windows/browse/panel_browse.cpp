// The panel's buttons that open files by browsing: each sets what the Browse dialog is choosing and
// its caption, then shows it beside the panel.
#include "browse/Browsefrm.h"
#include "engine/MediaEngine.h"
#include "playback/Panelfrm.h"
#include "playback/PlayerSession.h"
#include "startup/AppState.h"

void Panelfrm::showBrowse(int mode, const QString &caption)
{
    if (!browseForm) {
        browseForm = new Browsefrm(BrowseContext{session, prefs, drives, app.twipsPerPixelX, app.twipsPerPixelY}, this);
        connect(browseForm, &Browsefrm::skinChosen, this, &Panelfrm::loadSkin);
    }
    browseForm->choose(mode, caption);
}

void Panelfrm::openfile_Click()
{
    showBrowse(2, QStringLiteral("Locate Video file"));
}

void Panelfrm::sndopen_Click()
{
    // A separate sound track only goes with a movie.
    if (session.movie().fileName().isEmpty())
        return;
    showBrowse(3, QStringLiteral("Locate Audio file"));
}
