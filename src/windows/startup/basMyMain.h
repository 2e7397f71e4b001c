#pragma once
// The start routine and the single-instance test, run by the panel's load sequence.
class Panelfrm;

namespace basMyMain {

// True when another instance of the program already runs. Asked once per run; the first instance
// keeps its lock until it ends.
bool IsPrevInstance();

// The start routine: a second instance is told so and ends; otherwise the screen metrics are read and
// logged, the preferences window is created with its overlay-size sliders fitted to the screen, the
// rate table filled and the panel shown. Returns false when the program is ending.
bool Main(Panelfrm &panel);

// Ends the program: every window is hidden and the event loop left, so no handler runs afterwards.
void endProgram();

// True once endProgram has run: a run that ends during its load sequence never enters the event loop.
bool programEnded();

}  // namespace basMyMain
