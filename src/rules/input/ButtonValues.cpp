#include "input/ButtonValues.h"

namespace ButtonValues {

int buttonValue(Qt::MouseButtons buttons)
{
    int v = 0;
    if (buttons & Qt::LeftButton)
        v |= 1;
    if (buttons & Qt::RightButton)
        v |= 2;
    if (buttons & Qt::MiddleButton)
        v |= 4;
    return v;
}

int shiftValue(Qt::KeyboardModifiers mods)
{
    int v = 0;
    if (mods & Qt::ShiftModifier)
        v |= 1;
    if (mods & Qt::ControlModifier)
        v |= 2;
    if (mods & Qt::AltModifier)
        v |= 4;
    return v;
}

}  // namespace ButtonValues
