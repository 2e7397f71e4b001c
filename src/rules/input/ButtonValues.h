#pragma once
// Mouse buttons and keyboard modifiers as the classic values every window and the video reports:
// buttons 1 left, 2 right, 4 middle; shift 1 shift, 2 ctrl, 4 alt.
#include <Qt>

namespace ButtonValues {

int buttonValue(Qt::MouseButtons buttons);
int shiftValue(Qt::KeyboardModifiers mods);

}  // namespace ButtonValues
