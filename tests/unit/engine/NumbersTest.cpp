// SPDX-License-Identifier: MIT
#include "engine/Numbers.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>
#include <random>

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

namespace kolvane {
namespace {

// The quick paths of NumberToText must agree with rounding to 15 significant
// digits as printf's %.15G does, for every kind of value.
TEST(NumberToText, AgreesWithFifteenDigitRoundingEverywhere) {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-8, 17);
    std::uniform_int_distribution<int> cents(0, 1000000);
    for (int i = 0; i < 200000; ++i) {
        double value = 0;
        switch (i % 4) {
        case 0:
            value = mantissa(random) * std::pow(10.0, exponent(random));
            break;
        case 1:
            value = cents(random) / 100.0 * 10 / 10; // factor-like arithmetic
            break;
        case 2:
            value = cents(random) / 1000.0 / 10;
            break;
        default:
            value = -cents(random) * 0.1;
        }
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.15G", value);
        std::string text = expected;
        if (text == "-0") {
            text = "0";
        }
        ASSERT_EQ(NumberToText(value, kPoint), text) << std::hexfloat << value;
    }
}

} // namespace
} // namespace kolvane

namespace kolvane {
namespace {

TEST(NumberToText, RoundToWrittenPrecisionIsWhatTheTextReadsBackAs) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-9, 18);
    for (int i = 0; i < 100000; ++i) {
        const double value = mantissa(random) * std::pow(10.0, exponent(random)) / 3;
        for (const NumberFormat& format : {kPoint, kComma}) {
            ASSERT_EQ(RoundToWrittenPrecision(value, format),
                      ToNumber(NumberToText(value, format), format))
                << std::hexfloat << value;
        }
    }
}

} // namespace
} // namespace kolvane

namespace kolvane {
namespace {

// What a factor of 10^k ("*") or 1/10^k ("/") and the division by ten that
// follows it write, the way through a double.
std::string throughDouble(std::string_view text, char op, int k) {
    const NumberFormat format{'.'};
    const double power = std::pow(10.0, k);
    const double value = ToNumber(text, format);
    const double scaled = op == '*' ? value * power : value / power;
    return NumberToText(RoundToWrittenPrecision(scaled, format) / 10, format);
}

std::string onTheDigits(std::string_view text, char op, int k) {
    std::string out;
    EXPECT_TRUE(AppendScaledDecimal(out, text, (op == '*' ? k : -k) - 1, NumberFormat{'.'}))
        << text;
    return out;
}

TEST(AppendScaledDecimal, WritesWhatTheWayThroughADoubleWrites) {
    for (const char* text : {"0",
                             "-0",
                             "+0.000",
                             "4.37",
                             "-4.37",
                             "+12.5",
                             "7",
                             "007.50",
                             ".5",
                             "5.",
                             "0.0001",
                             "0.00001",
                             "999999999999999",
                             "99999999999999.9",
                             "-0.00000000000001",
                             "123456789012345",
                             "1.00000000000001",
                             "9.99999999999999",
                             "0.1",
                             "0.3",
                             "2.675"}) {
        for (const char op : {'*', '/'}) {
            for (int k = 0; k <= 15; ++k) {
                EXPECT_EQ(onTheDigits(text, op, k), throughDouble(text, op, k))
                    << text << ' ' << op << " 10^" << k;
            }
        }
    }
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i) {
        std::string text = random() % 4 == 0 ? "-" : "";
        const int digits = 1 + static_cast<int>(random() % 15);
        const int point = static_cast<int>(random() % (digits + 1));
        for (int d = 0; d < digits; ++d) {
            if (d == point && point > 0) {
                text += '.';
            }
            text += static_cast<char>('0' + random() % 10);
        }
        const char op = random() % 2 == 0 ? '*' : '/';
        const int k = static_cast<int>(random() % 16);
        ASSERT_EQ(onTheDigits(text, op, k), throughDouble(text, op, k)) << text << ' ' << op << k;
    }
}

TEST(AppendScaledDecimal, LeavesEverythingButPlainDecimalsToTheGeneralWay) {
    std::string out;
    for (const char* text : {"", "-", "+", ".", " 4.37", "4.37 ", "4,37", "1.2.3", "1e5",
                             "1234567890123456", "0.000000000000001", "abc", "4.3x"}) {
        EXPECT_FALSE(AppendScaledDecimal(out, text, 0, NumberFormat{'.'})) << text;
    }
    EXPECT_FALSE(AppendScaledDecimal(out, "1", 31, NumberFormat{'.'}));
    EXPECT_EQ(out, "");
    EXPECT_TRUE(AppendScaledDecimal(out, "4,37", 0, NumberFormat{','}));
    EXPECT_EQ(out, "4,37");
}

} // namespace
} // namespace kolvane
