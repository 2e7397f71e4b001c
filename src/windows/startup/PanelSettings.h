#pragma once
// The settings file between the panel's windows and the disc: applied during start-up, written by
// the orderly exit.
class Panelfrm;

// Reads the file when there is one and applies every entry that converts; every other entry keeps its
// default. Both windows end up reachable on the current screen. Logs "Opened cfg" / "cfg closed", or
// "No cfg" when there is no file.
void applySettingsFile(Panelfrm &panel);

// Writes every entry atomically; a save that fails leaves the old file as it was and logs
// "cfg not saved" with the reason.
bool saveSettingsFile(Panelfrm &panel);
