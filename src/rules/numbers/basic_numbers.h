#pragma once
// The number rules every window shares: halves round to the even neighbour, whole-number division and
// remainder round their operands first, and the two ways numbers turn into text (log items, captions).
#include <QString>

namespace basic_numbers {

// Rounds to a whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double roundEven(double v);

// Rounds to `decimals` places, halves to even on the decimal value as written (23.9765 -> 23.976).
double roundEvenTo(double v, int decimals);

// A time in whole nanoseconds times a frame rate of at most three decimals, rounded to a whole frame
// halves to even, all in whole numbers: 2.300 s at 25 fps is exactly 57.5 and gives 58, where the
// same product in binary fractions lands a hair below the half.
double framesAt(long long nanoseconds, double fps);

// Whole-number division: both operands rounded first, the quotient's fraction dropped (toward zero).
// A divisor that rounds to 0 gives 0 instead of a crash.
long long intDiv(double a, double b);

// Remainder of the rounded operands; it keeps the sign of the dividend. A zero divisor gives 0.
long long intMod(double a, double b);

// A value clamped into the 16-bit range after rounding (scroll bars hold 16-bit values).
int toInt16(double v);

// A number in its shortest decimal form, no blanks: 25, 23.976, -2, 1.5, 10000000.
QString shortText(double v);

// The same with the user's decimal separator, for captions.
QString localText(double v);

// A number as a log line item: a blank before a non-negative number (the minus sign takes that place
// otherwise) and one blank after: 15 -> " 15 ", -2 -> "-2 ".
QString logItem(double v);

}  // namespace basic_numbers
