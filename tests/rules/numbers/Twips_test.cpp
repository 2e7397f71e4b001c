#include "numbers/Twips.h"

#include <gtest/gtest.h>

TEST(Twips, EachEdgeRoundsHalfToEvenAndNothingShrinksToNoPixel)
{
    struct Case {
        double left, top, width, height;
        int tpp;
        QRect pixels;
    } cases[] = {
        {60, 420, 3015, 1890, 15, {4, 28, 201, 126}},        // the Browse dialog's folder list
        {7.5, 0, 15, 15, 15, {0, 0, 2, 1}},                  // 0.5 goes to 0, 1.5 to 2
        {22.5, 22.5, 15, 15, 15, {2, 2, 1, 1}},              // 1.5 to 2 and 2.5 to 2: one pixel is left
        {0, 0, 7, 7, 15, {0, 0, 1, 1}},                      // smaller than a pixel
        {-10390, 0, 36141, 11520, 15, {-693, 0, 2410, 768}}, // hangs off the screen's left edge
        {220, 420, 135, 165, 15, {15, 28, 9, 11}},           // the panel's "6x": 14.67 to 23.67
        {1500, 300, 300, 300, 0, {1500, 300, 300, 300}},     // no factor read: one twip a pixel
        {120, 240, 800, 450, 12, {10, 20, 67, 38}},          // 120 dpi: 57.5 goes to 58
    };
    for (const Case &c : cases)
        EXPECT_EQ(Twips::toPixels(c.left, c.top, c.width, c.height, c.tpp, c.tpp), c.pixels) << c.left << " " << c.tpp;
}

TEST(Twips, ControlsThatTouchInTwipsTouchInPixels)
{
    // Neighbours whose edges fall on a half pixel: each shared edge lands in one place for both.
    for (int left = 0; left < 300; left += 7) {
        const QRect a = Twips::toPixels(left, 0, 113, 10, 0 + 15, 15);
        const QRect b = Twips::toPixels(left + 113, 0, 97, 10, 15, 15);
        EXPECT_EQ(a.right() + 1, b.left()) << left;
    }
}
