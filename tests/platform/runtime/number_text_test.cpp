// Rounding, the real texts and the number parser of the old run-time.
#include <gtest/gtest.h>

#include "platform/runtime/number_text.h"

using namespace rt;

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(Round(0.5L), 0);
    EXPECT_EQ(Round(1.5L), 2);
    EXPECT_EQ(Round(2.5L), 2);
    EXPECT_EQ(Round(-0.5L), 0);
    EXPECT_EQ(Round(-1.5L), -2);
    EXPECT_EQ(Round(-2.5L), -2);
    EXPECT_EQ(Round(2.4999L), 2);
    EXPECT_EQ(Round(-2.6L), -3);
}

TEST(Rounding, IntFracTruncGoTowardZero) {
    EXPECT_EQ(Int(-2.7L), -2.0L);
    EXPECT_EQ(Int(2.7L), 2.0L);
    EXPECT_NEAR(static_cast<double>(Frac(-2.75L)), -0.75, 1e-15);
    EXPECT_EQ(Trunc(-2.7L), -2);
}

TEST(RealText, DefaultFormIs23Characters) {
    EXPECT_EQ(StrReal(84.82300164692441L), " 8.48230016469244E+0001");
    EXPECT_EQ(StrReal(-1.0L), "-1.00000000000000E+0000");
    EXPECT_EQ(StrReal(0.0L), " 0.00000000000000E+0000");
    EXPECT_EQ(StrReal(0.00125L), " 1.25000000000000E-0003");
    EXPECT_EQ(StrReal(10.0L).size(), 23u);
}

TEST(RealText, FixedAndIntegerForms) {
    EXPECT_EQ(StrFixed(3.14159L, 8, 2), "    3.14");
    EXPECT_EQ(StrFixed(-0.001L, 0, 2), "0.00");
    EXPECT_EQ(StrInt(42, 5), "   42");
    EXPECT_EQ(StrInt(-7), "-7");
    EXPECT_EQ(StrRealWidth(1.5L, 12), " 1.500E+0000");
}

TEST(Val, RealsAndErrorPositions) {
    int code = -1;
    EXPECT_EQ(ValReal("12.5", code), 12.5L);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ValReal("  -1.25E+0001", code), -12.5L);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ValReal(" 8.48230016469244E+0001", code), ValReal("84.8230016469244", code));
    ValReal("12a", code);
    EXPECT_EQ(code, 3);
    ValReal("1,5", code);
    EXPECT_EQ(code, 2);
    ValReal("1.5 ", code);
    EXPECT_EQ(code, 4);
    EXPECT_EQ(ValReal("", code), 0.0L);
    EXPECT_EQ(code, 1);
    ValReal("abc", code);
    EXPECT_EQ(code, 1);
}

TEST(Val, Integers) {
    int code = -1;
    EXPECT_EQ(ValInt("0042", code), 42);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ValInt("-12", code), -12);
    ValInt("4x", code);
    EXPECT_EQ(code, 2);
    ValInt("99999999999", code);
    EXPECT_NE(code, 0);
    ValInt("", code);
    EXPECT_EQ(code, 1);
    ValInt("+", code);
    EXPECT_EQ(code, 2);
}
