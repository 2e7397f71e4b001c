// The panel's buttons that open files by browsing: each sets what the Browse dialog is choosing and
// its caption, then shows it beside the panel.
#include "browse/Browsefrm.h"
#include "engine/MediaEngine.h"
#include "playback/Panelfrm.h"

void Panelfrm::showBrowse(int mode, const QString &caption)
{
    if (!browseForm)
        browseForm = new Browsefrm(*this);
    browseForm->choose(mode, caption);
}

void Panelfrm::openfile_Click()
{
    showBrowse(2, QStringLiteral("Locate Video file"));
}

void Panelfrm::sndopen_Click()
{
    // A separate sound track only goes with a movie.
    if (MediaPlayer1.fileName().isEmpty())
        return;
    showBrowse(3, QStringLiteral("Locate Audio file"));
}
