// Panel commands whose behaviour is not built yet: they are present and do nothing.
#include "playback/Panelfrm.h"
#include "startup/AppState.h"

void Panelfrm::GetCDRoms() {}
void Panelfrm::runCD(const QString &) {}
void Panelfrm::CDplay_MouseDown(int, int, double, double) {}
void Panelfrm::CDplay_Drop(const QStringList &) {}
void Panelfrm::LblScenes_Click() {}
void Panelfrm::Lblspecial_Click() {}
void Panelfrm::Form_KeyPress(const QString &) {}
bool Panelfrm::loadSkin(const QString &) { return false; }
