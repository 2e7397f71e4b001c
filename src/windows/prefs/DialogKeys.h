#pragma once
// The keyboard in the tool windows beside the panel. In those that are not dialogs, Escape closes the
// window as its close box does and Enter presses the focused push button or else the window's default
// one; keys a control keeps for itself (a key box's Escape, an open drop-down's Enter) never get here.
// In all of them, a window that goes while it has the keyboard hands it back to the window it was
// opened from, as a window manager would: without one (a kiosk session) it would go nowhere.
class QPushButton;
class QWidget;

namespace DialogKeys {

// Escape, Enter, and the keyboard handed back.
void install(QWidget *window, QPushButton *defaultButton);
// Only the keyboard handed back, for a dialog that has Escape and Enter of its own.
void returnKeyboard(QWidget *window);

}  // namespace DialogKeys
