// Panel commands whose behaviour is not built yet: they are present and do nothing.
#include "playback/Panelfrm.h"
#include "startup/AppState.h"

void Panelfrm::openfile_Click() {}
void Panelfrm::sndopen_Click() {}
void Panelfrm::showBrowse(int mode, const QString &)
{
    app.browseMode = mode;
}
