#include "numbers/basic_numbers.h"

#include <gtest/gtest.h>

using namespace basic_numbers;

TEST(BasicNumbers, RoundsHalvesToEven)
{
    EXPECT_EQ(roundEven(2.5), 2);
    EXPECT_EQ(roundEven(3.5), 4);
    EXPECT_EQ(roundEven(-2.5), -2);
    EXPECT_EQ(roundEven(37.5), 38);
    EXPECT_EQ(roundEven(62.5), 62);
    EXPECT_EQ(roundEven(2.4999), 2);
    EXPECT_DOUBLE_EQ(roundEvenTo(2250.0 / 90.0, 3), 25.0);
    EXPECT_DOUBLE_EQ(roundEvenTo(2997.0 / 125.0, 3), 23.976);
    EXPECT_DOUBLE_EQ(roundEvenTo(23.9765, 3), 23.976);
    EXPECT_DOUBLE_EQ(roundEvenTo(23.9775, 3), 23.978);
}

TEST(BasicNumbers, WholeNumberDivisionRoundsOperandsFirst)
{
    EXPECT_EQ(intDiv(130, 25), 5);
    EXPECT_EQ(intDiv(130, 23.976), 5);  // 130 \ 24
    EXPECT_EQ(intDiv(-7, 2), -3);        // toward zero
    EXPECT_EQ(intDiv(5, 0.4), 0);        // divisor rounds to 0: no crash
    EXPECT_EQ(intMod(3725.4, 60), 5);
    EXPECT_EQ(intMod(59.6, 60), 0);      // 60 mod 60
    EXPECT_EQ(intMod(-61, 60), -1);      // sign of the dividend
    EXPECT_EQ(intMod(1, 0), 0);
}

TEST(BasicNumbers, SixteenBitClamp)
{
    EXPECT_EQ(toInt16(15360), 15360);
    EXPECT_EQ(toInt16(40000), 32767);
    EXPECT_EQ(toInt16(-40000), -32768);
    EXPECT_EQ(toInt16(640.5), 640);
}

TEST(BasicNumbers, TextForms)
{
    EXPECT_EQ(shortText(25), "25");
    EXPECT_EQ(shortText(23.976), "23.976");
    EXPECT_EQ(shortText(10000000), "10000000");
    EXPECT_EQ(shortText(-2), "-2");
    EXPECT_EQ(shortText(0.1), "0.1");
    EXPECT_EQ(logItem(15), " 15 ");
    EXPECT_EQ(logItem(-2), "-2 ");
    EXPECT_EQ(logItem(1.5), " 1.5 ");
    EXPECT_EQ(logItem(0), " 0 ");
}
