// SPDX-License-Identifier: MIT
// Checks of single values by data type.
#include "herdsim/ValueChecks.h"

#include "herdsim/Text.h"

namespace herdsim {
namespace {

int digitsValue(std::string_view digits) {
    int value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
    }
    return value;
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

std::string checkYesNo(std::string_view value) {
    const std::string_view text = TrimBlanks(value);
    if (text.size() == 1 &&
        std::string_view("01JNYjny").find(text.front()) != std::string_view::npos) {
        return {};
    }
    return "A yes/no value must be 0, 1, J, N or Y.";
}

std::string checkInteger(std::string_view value) {
    if (IsDigits(TrimBlanks(value))) {
        return {};
    }
    return "A whole number may hold only digits, with blanks before or after them.";
}

std::string checkDecimal(std::string_view value, int decimals) {
    if (IsDigits(TrimBlanks(value))) {
        return {};
    }
    return "A number with decimals may hold only digits; its " + std::to_string(decimals) +
           " decimal places are implied (no decimal separator, no sign).";
}

std::string checkText(std::string_view value) {
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            return "The text holds a control character.";
        }
    }
    return {};
}

} // namespace

bool IsNoValue(std::string_view value) {
    return value.find_first_not_of(' ') == std::string_view::npos ||
           value.find_first_not_of('?') == std::string_view::npos;
}

bool IsZeroValue(const CodeItem& code, std::string_view value) {
    const std::string_view text = TrimBlanks(value);
    return code.isNumber() && IsDigits(text) &&
           text.find_first_not_of('0') == std::string_view::npos;
}

bool IsValidDate(std::string_view text) {
    if (text.size() != 8 || !IsDigits(text)) {
        return false;
    }
    const int year = digitsValue(text.substr(0, 4));
    const int month = digitsValue(text.substr(4, 2));
    const int day = digitsValue(text.substr(6, 2));
    return year >= 1 && month >= 1 && month <= 12 && day >= 1 && day <= daysInMonth(year, month);
}

bool IsValidTime(std::string_view text) {
    return text.size() == 6 && IsDigits(text) && digitsValue(text.substr(0, 2)) <= 23 &&
           digitsValue(text.substr(2, 2)) <= 59 && digitsValue(text.substr(4, 2)) <= 59;
}

std::string CheckValue(const CodeItem& code, std::string_view value) {
    switch (code.type) {
    case DataType::YesNo:
        return checkYesNo(value);
    case DataType::Integer:
        return checkInteger(value);
    case DataType::Decimal:
        return checkDecimal(value, code.decimals);
    case DataType::Date:
        return IsValidDate(TrimBlanks(value)) ? std::string{}
                                              : "The value is not a valid date (YYYYMMDD).";
    case DataType::Time:
        return IsValidTime(TrimBlanks(value)) ? std::string{}
                                              : "The value is not a valid time (HHMMSS).";
    case DataType::Text:
        return checkText(value);
    }
    return {};
}

} // namespace herdsim
