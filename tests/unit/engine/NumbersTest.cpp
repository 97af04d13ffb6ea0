// SPDX-License-Identifier: MIT
#include "engine/Numbers.h"

#include <gtest/gtest.h>
#include <limits>

namespace kolvane {
namespace {

const NumberFormat kPoint{'.'};
const NumberFormat kComma{','};

TEST(ToNumber, ReadsTheLocaleDecimalSeparator) {
    EXPECT_DOUBLE_EQ(ToNumber("12.5", kPoint), 12.5);
    EXPECT_DOUBLE_EQ(ToNumber("12,5", kComma), 12.5);
    EXPECT_DOUBLE_EQ(ToNumber(" -3.25 ", kPoint), -3.25);
    EXPECT_DOUBLE_EQ(ToNumber("+7", kPoint), 7);
    EXPECT_DOUBLE_EQ(ToNumber("1E3", kPoint), 1000);
    EXPECT_DOUBLE_EQ(ToNumber("2.5e-1", kPoint), 0.25);
    EXPECT_DOUBLE_EQ(ToNumber(".5", kPoint), 0.5);
    EXPECT_DOUBLE_EQ(ToNumber("5.", kPoint), 5);
}

TEST(ToNumber, GivesZeroForAnythingThatIsNotANumber) {
    for (const char* text : {"", "   ", "abc", "12abc", "1.2.3", "-", ".", "1e", "1 2", "0x10"}) {
        EXPECT_EQ(ToNumber(text, kPoint), 0.0) << '"' << text << '"';
        EXPECT_FALSE(ParseNumber(text, kPoint).has_value()) << '"' << text << '"';
    }
    // The other locale's separator is not a decimal separator.
    EXPECT_EQ(ToNumber("12,5", kPoint), 0.0);
    EXPECT_EQ(ToNumber("12.5", kComma), 0.0);
    // Beyond the range of a double.
    EXPECT_EQ(ToNumber("1E999", kPoint), 0.0);
}

TEST(IsBlank, EmptyOrOnlySpaces) {
    EXPECT_TRUE(IsBlank(""));
    EXPECT_TRUE(IsBlank("    "));
    EXPECT_FALSE(IsBlank(" x "));
    EXPECT_FALSE(IsBlank("\t"));
}

TEST(NumberToText, FifteenSignificantDigitsWithoutThousands) {
    EXPECT_EQ(NumberToText(2.5, kPoint), "2.5");
    EXPECT_EQ(NumberToText(2.5, kComma), "2,5");
    EXPECT_EQ(NumberToText(25, kPoint), "25");
    EXPECT_EQ(NumberToText(-0.0, kPoint), "0");
    EXPECT_EQ(NumberToText(1234567.5, kComma), "1234567,5");
    EXPECT_EQ(NumberToText(0.1 + 0.2, kPoint), "0.3");
    EXPECT_EQ(NumberToText(123456789012345.0, kPoint), "123456789012345");
    EXPECT_EQ(NumberToText(2.0 / 3.0, kPoint), "0.666666666666667");
    EXPECT_EQ(NumberToText(0.0001, kPoint), "0.0001");
}

TEST(NumberToText, ScientificWhereTheGeneralFormatUsesIt) {
    EXPECT_EQ(NumberToText(1e15, kPoint), "1E+15");
    EXPECT_EQ(NumberToText(1e-5, kPoint), "1E-05");
    EXPECT_EQ(NumberToText(1234567890123456.0, kComma), "1,23456789012346E+15");
    EXPECT_EQ(NumberToText(-2.5e-7, kPoint), "-2.5E-07");
}

TEST(NumberToText, RoundTripsThroughToNumber) {
    for (const double value : {0.5, 12.25, -7.0, 99999.125, 3.0e20}) {
        EXPECT_DOUBLE_EQ(ToNumber(NumberToText(value, kComma), kComma), value);
        EXPECT_DOUBLE_EQ(ToNumber(NumberToText(value, kPoint), kPoint), value);
    }
}

} // namespace
} // namespace kolvane
