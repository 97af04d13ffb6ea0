// SPDX-License-Identifier: MIT
// Numbers written as text, the way the user's locale writes them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kolvane {

struct NumberFormat {
    char decimalSeparator = '.';

    // The decimal separator of the user's locale (LC_ALL, LC_NUMERIC, LANG),
    // "." when the locale is unknown.
    static NumberFormat fromSystemLocale();
};

// True when the text is empty or holds only blanks.
bool IsBlank(std::string_view text);

// A whole number from `lowest` to `highest` written with digits only (blanks
// around it allowed): a limit or a count as a user or a setting gives it.
// Nothing for any other text, a larger number included.
std::optional<long long> WholeNumberIn(std::string_view text, long long lowest, long long highest);

// The number in `text`: optional blanks, an optional sign, digits with at most
// one decimal separator (the format's), an optional exponent (E or e), optional
// blanks. Anything else is not a number.
std::optional<double> ParseNumber(std::string_view text, const NumberFormat& format);

// As ParseNumber, but 0 for empty, blank or non-numeric text; never an error.
double ToNumber(std::string_view text, const NumberFormat& format);

// Up to 15 significant digits, no thousands separators, the format's decimal
// separator, and scientific notation where the general number format uses it
// (1E+15, 1E-05).
std::string NumberToText(double value, const NumberFormat& format);

// The number that NumberToText(value) reads back as: value rounded to 15
// significant digits (0 for values that are not finite).
double RoundToWrittenPrecision(double value, const NumberFormat& format);

// Appends NumberToText(value) to `out` without a temporary string.
void AppendNumberText(std::string& out, double value, const NumberFormat& format);

// For a plain decimal `text` (an optional sign, at most 15 digits, at most one
// of the format's separators; what ParseNumber reads exactly) appends what
// NumberToText writes for RoundToWrittenPrecision(ToNumber(text) * 10^power),
// computed on the digits alone: with at most 15 significant digits every
// rounding on the way through a double gives these digits back. Returns false,
// appending nothing, for any other text or a power beyond +-30.
bool AppendScaledDecimal(std::string& out, std::string_view text, int power,
                         const NumberFormat& format);

} // namespace kolvane
