#pragma once
// Escape and Enter for the tool windows that are not dialogs: Escape closes the window as its close
// box does, Enter presses the focused push button or else the window's default one. Keys a control
// keeps for itself (a key box's Escape, an open drop-down's Enter) never get here.
class QPushButton;
class QWidget;

namespace DialogKeys {

void install(QWidget *window, QPushButton *defaultButton);

}  // namespace DialogKeys
