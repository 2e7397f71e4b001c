#pragma once
// The start routine and the single-instance test, run by the panel's load sequence.
struct AppState;
class Desktop;
class Dialogs;
class RunLog;

namespace basMyMain {

// True when another instance of the program already runs. Asked once per run; the first instance
// keeps its lock until it ends.
bool IsPrevInstance();

// The start routine: a second instance is told so and ends; otherwise the screen metrics are read and
// logged. Returns false when the program is ending; the load sequence then shows the panel.
bool Main(AppState &app, const Desktop &desktop, Dialogs &dialogs, RunLog &log);

// Ends the program: every window is hidden and the event loop left, so no handler runs afterwards.
void endProgram();

// True once endProgram has run since the run's start routine began: a run that ends during its load
// sequence never enters the event loop.
bool programEnded();

}  // namespace basMyMain
