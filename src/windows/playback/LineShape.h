#pragma once
// A line drawn on the panel over its picture, in twips, as the sliders' tracks and thumbs are.
#include <QRgb>

struct LineShape {
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    QRgb color = qRgb(0xC0, 0xC0, 0xC0);
    int borderWidth = 2;  // pixels
};

// Colours are stored as &H00BBGGRR; Qt wants red first.
constexpr QRgb fromBgr(unsigned bgr)
{
    return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}
