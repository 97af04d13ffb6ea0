// SPDX-License-Identifier: MIT
#include "engine/Numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
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

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

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

} // namespace

std::optional<double> ParseNumber(std::string_view text, const NumberFormat& format) {
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

void AppendNumberText(std::string& out, double value, const NumberFormat& format) {
    if (value == 0.0) {
        out += '0'; // also for -0
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

std::string NumberToText(double value, const NumberFormat& format) {
    std::string text;
    AppendNumberText(text, value, format);
    return text;
}

} // namespace kolvane
