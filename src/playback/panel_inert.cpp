// Panel commands whose behaviour is not built yet: they are present and do nothing.
#include "playback/Panelfrm.h"

void Panelfrm::openfile_Click() {}
void Panelfrm::sndopen_Click() {}
void Panelfrm::vplay_Click() {}
void Panelfrm::vgos_Click() {}
void Panelfrm::vgoe_Click() {}
void Panelfrm::TimerMovieBack_Timer() {}
void Panelfrm::MediaPlayer1_EndOfStream(int) {}
void Panelfrm::updateBarTime() {}
QString Panelfrm::maketime(double &) { return QString(); }
void Panelfrm::VideoPos_MouseDown(int, int, double, double) {}
void Panelfrm::VideoPos_MouseMove(int, int, double, double) {}
void Panelfrm::Ratepos_MouseDown(int, int, double, double) {}
void Panelfrm::Ratepos_MouseMove(int, int, double, double) {}
void Panelfrm::ratem_Click() {}
void Panelfrm::ratea_Click() {}
void Panelfrm::NormRate_Click() {}
void Panelfrm::volpos_MouseDown(int, int, double, double) {}
void Panelfrm::volpos_MouseMove(int, int, double, double) {}
void Panelfrm::AddVol_Click() {}
void Panelfrm::subVol_Click() {}
void Panelfrm::Mutesnd_Click() {}
void Panelfrm::cmdzoom_Click() {}
void Panelfrm::pan_n_scan43() {}
void Panelfrm::minim_Click() {}
void Panelfrm::exitLbl_Click() {}
void Panelfrm::stats_Click() {}
void Panelfrm::Prefers_Click() {}
void Panelfrm::LabelAbout_Click() {}
void Panelfrm::Form_MouseDown(int, int, double, double) {}
void Panelfrm::Form_MouseMove(int, int, double, double) {}
void Panelfrm::getsubtitles(const QString &, std::optional<int>) {}
void Panelfrm::resyncSubtitles() {}
void Panelfrm::subTimer_Timer() {}
void Panelfrm::subopen_Click() {}
void Panelfrm::subopen_Drop(const QStringList &) {}
void Panelfrm::GetCDRoms() {}
void Panelfrm::runCD(const QString &) {}
void Panelfrm::CDplay_MouseDown(int, int, double, double) {}
void Panelfrm::CDplay_Drop(const QStringList &) {}
void Panelfrm::LblScenes_Click() {}
void Panelfrm::Lblspecial_Click() {}
void Panelfrm::Form_KeyPress(const QString &) {}
