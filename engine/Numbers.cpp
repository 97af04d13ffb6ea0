// SPDX-License-Identifier: MIT
#include "engine/Numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <locale>

namespace kolvane {

NumberFormat NumberFormat::fromSystemLocale() {
    NumberFormat format;
    try {
        const std::locale user("");
        const char point = std::use_facet<std::numpunct<char>>(user).decimal_point();
        if (point == '.' || point == ',') {
            format.decimalSeparator = point;
        }
    } catch (const std::exception&) {
        // An unknown locale name in the environment: keep ".".
    }
    return format;
}

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

std::optional<long long> WholeNumberIn(std::string_view text, long long lowest, long long highest) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    long long number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc{} || end != text.data() + text.size() || text.front() == '-' ||
        number < lowest || number > highest) {
        return std::nullopt;
    }
    return number;
}

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Powers of ten that a double holds exactly.
constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8, 1e9,
                              1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};

// Checks the shape of a number and copies it with "." as its decimal point, so
// that from_chars (which knows no locale) can read it.
bool normaliseNumber(std::string_view text, char separator, std::array<char, 64>& buffer,
                     std::size_t& length) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return false;
    }
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (text.size() >= buffer.size()) {
        return false;
    }
    std::size_t i = 0;
    length = 0;
    if (text[i] == '+' || text[i] == '-') {
        if (text[i] == '-') {
            buffer[length++] = '-';
        }
        ++i;
    }
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            digits = true;
            buffer[length++] = c;
        } else if (c == separator && !point) {
            point = true;
            buffer[length++] = '.';
        } else {
            break;
        }
    }
    if (!digits) {
        return false;
    }
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        buffer[length++] = 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            buffer[length++] = text[i++];
        }
        const std::size_t exponentStart = i;
        while (i < text.size() && isDigit(text[i])) {
            buffer[length++] = text[i++];
        }
        if (i == exponentStart) {
            return false;
        }
    }
    return i == text.size();
}

// The common case, a plain decimal number of at most 15 digits, read without
// a detour: mantissa and power of ten are both exact, so one division rounds
// exactly as the general reader does.
std::optional<double> parsePlainNumber(std::string_view text, char separator) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint64_t mantissa = 0;
    int digits = 0;
    int fraction = -1; // digits after the separator; -1 before it
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            ++digits;
            if (fraction >= 0) {
                ++fraction;
            }
        } else if (c == separator && fraction < 0) {
            fraction = 0;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || digits > 15) {
        return std::nullopt;
    }
    double value = static_cast<double>(mantissa);
    if (fraction > 0) {
        value /= kPowers[fraction];
    }
    return negative ? -value : value;
}

} // namespace

std::optional<double> ParseNumber(std::string_view text, const NumberFormat& format) {
    if (const auto plain = parsePlainNumber(text, format.decimalSeparator)) {
        return plain;
    }
    std::array<char, 64> buffer{};
    std::size_t length = 0;
    if (!normaliseNumber(text, format.decimalSeparator, buffer, length)) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(buffer.data(), buffer.data() + length, value);
    if (ec == std::errc::result_out_of_range) {
        // Too large for a double: the platform reports an overflow, which callers
        // treat like any value they cannot use.
        return std::nullopt;
    }
    if (ec != std::errc{} || end != buffer.data() + length) {
        return std::nullopt;
    }
    return value;
}

double ToNumber(std::string_view text, const NumberFormat& format) {
    return ParseNumber(text, format).value_or(0.0);
}

namespace {

// Writes the decimal digits `digits` (no leading zeros) with decimal exponent
// `exponent` (of the first digit) as the general number format does.
void appendGeneral(std::string& out, bool negative, std::string_view digits, int exponent,
                   char separator) {
    std::array<char, 48> text; // at most sign, 15 digits, point, 4 zeros or "E+308"
    std::size_t size = 0;
    const auto put = [&](char c) { text[size++] = c; };
    const auto putDigits = [&](std::string_view part) {
        std::memcpy(text.data() + size, part.data(), part.size());
        size += part.size();
    };
    if (negative) {
        put('-');
    }
    if (exponent < -4 || exponent >= 15) {
        put(digits.front());
        if (digits.size() > 1) {
            put(separator);
            putDigits(digits.substr(1));
        }
        put('E');
        put(exponent < 0 ? '-' : '+');
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10) {
            put('0');
        }
        size = static_cast<std::size_t>(
            std::to_chars(text.data() + size, text.data() + text.size(), magnitude).ptr -
            text.data());
    } else if (exponent < 0) {
        put('0');
        put(separator);
        for (int i = -1; i > exponent; --i) {
            put('0');
        }
        putDigits(digits);
    } else if (static_cast<std::size_t>(exponent) + 1 >= digits.size()) {
        putDigits(digits);
        for (std::size_t i = digits.size(); i < static_cast<std::size_t>(exponent) + 1; ++i) {
            put('0');
        }
    } else {
        putDigits(digits.substr(0, static_cast<std::size_t>(exponent) + 1));
        put(separator);
        putDigits(digits.substr(static_cast<std::size_t>(exponent) + 1));
    }
    out.append(text.data(), size);
}

// Rounds to 15 significant digits without the general formatter for values
// written in fixed notation (1E-4 <= |value| < 1E15): one exact power of ten
// brings the 15 digits in front of the point. The product is off by at most an
// eighth of a unit, so only a value very near half a unit could round the
// other way; those, and everything else, take the exact path.
struct FifteenDigits {
    std::uint64_t mantissa; // 15 digits
    int exponent;           // decimal exponent of the first digit
};

std::optional<FifteenDigits> fifteenDigits(double magnitude) {
    if (magnitude < 1e-4 || magnitude >= 1e15) {
        return std::nullopt;
    }
    // Decimal exponent from the binary one (log10 2 ~ 1233 / 4096), then corrected.
    int exponent = (std::ilogb(magnitude) * 1233) >> 12;
    const auto power = [](int e) { return e >= 0 ? kPowers[e] : 1.0 / kPowers[-e]; };
    if (exponent < 14 && magnitude >= power(exponent + 1)) {
        ++exponent;
    }
    if (exponent < -4) {
        return std::nullopt;
    }
    const double scaled = magnitude * kPowers[14 - exponent];
    const double fraction = scaled - std::floor(scaled);
    if (std::fabs(fraction - 0.5) < 0.2) {
        return std::nullopt;
    }
    auto mantissa = static_cast<std::uint64_t>(std::nearbyint(scaled));
    if (mantissa < 100000000000000ULL) {
        return std::nullopt; // the exponent came out one too high
    }
    if (mantissa >= 1000000000000000ULL) { // rounded up to one more digit
        mantissa /= 10;
        ++exponent;
        if (exponent >= 15) {
            return std::nullopt;
        }
    }
    return FifteenDigits{mantissa, exponent};
}

bool appendFifteenDigits(std::string& out, double value, char separator) {
    const auto rounded = fifteenDigits(std::fabs(value));
    if (!rounded) {
        return false;
    }
    std::uint64_t mantissa = rounded->mantissa;
    while (mantissa % 10000 == 0) {
        mantissa /= 10000;
    }
    while (mantissa % 10 == 0) {
        mantissa /= 10;
    }
    std::array<char, 24> digits;
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), mantissa).ptr;
    appendGeneral(out, value < 0,
                  std::string_view(digits.data(), static_cast<std::size_t>(end - digits.data())),
                  rounded->exponent, separator);
    return true;
}

// The shortest digits that read back as `value`; when they are 15 or fewer,
// they are also what rounding to 15 significant digits gives.
bool appendShortest(std::string& out, double value, char separator) {
    std::array<char, 40> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific);
    std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    const bool negative = text.front() == '-';
    if (negative) {
        text.remove_prefix(1);
    }
    const std::size_t e = text.find('e');
    std::array<char, 24> digits{};
    std::size_t count = 0;
    for (const char c : text.substr(0, e)) {
        if (c != '.') {
            digits[count++] = c;
        }
    }
    if (count > 15) {
        return false;
    }
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    exponent);
    appendGeneral(out, negative, std::string_view(digits.data(), count), exponent, separator);
    return true;
}

} // namespace

void AppendNumberText(std::string& out, double value, const NumberFormat& format) {
    if (value == 0.0) {
        out += '0'; // also for -0
        return;
    }
    if (std::isfinite(value) && (appendFifteenDigits(out, value, format.decimalSeparator) ||
                                 appendShortest(out, value, format.decimalSeparator))) {
        return;
    }
    std::array<char, 40> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 15);
    for (const char* p = buffer.data(); p != result.ptr; ++p) {
        char c = *p;
        if (c == '.') {
            c = format.decimalSeparator;
        } else if (c == 'e') {
            c = 'E';
        }
        out += c;
    }
}

double RoundToWrittenPrecision(double value, const NumberFormat& format) {
    if (!std::isfinite(value)) {
        return 0;
    }
    // m / 10^k rounds exactly as reading the written digits back does.
    if (const auto rounded = fifteenDigits(std::fabs(value))) {
        const double magnitude =
            static_cast<double>(rounded->mantissa) / kPowers[14 - rounded->exponent];
        return value < 0 ? -magnitude : magnitude;
    }
    return ToNumber(NumberToText(value, format), format);
}

bool AppendScaledDecimal(std::string& out, std::string_view text, int power,
                         const NumberFormat& format) {
    if (power < -30 || power > 30) {
        return false;
    }
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::array<char, 16> digits;
    std::size_t count = 0;
    int integerDigits = -1; // digits before the separator; -1 until it is seen
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            if (count == 15) {
                return false;
            }
            digits[count++] = c;
        } else if (c == format.decimalSeparator && integerDigits < 0) {
            integerDigits = static_cast<int>(count);
        } else {
            return false;
        }
    }
    if (count == 0) {
        return false;
    }
    if (integerDigits < 0) {
        integerDigits = static_cast<int>(count);
    }
    std::size_t first = 0;
    while (first < count && digits[first] == '0') {
        ++first;
    }
    if (first == count) {
        out += '0'; // also for -0
        return true;
    }
    std::size_t last = count;
    while (digits[last - 1] == '0') {
        --last;
    }
    const int exponent = integerDigits - 1 - static_cast<int>(first) + power;
    appendGeneral(out, negative, std::string_view(digits.data() + first, last - first), exponent,
                  format.decimalSeparator);
    return true;
}

std::string NumberToText(double value, const NumberFormat& format) {
    std::string text;
    AppendNumberText(text, value, format);
    return text;
}

} // namespace kolvane
