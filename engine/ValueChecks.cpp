// SPDX-License-Identifier: MIT
#include "engine/ValueChecks.h"

#include "engine/ColumnChecks.h"

#include <chrono>

namespace kolvane {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view text) {
    for (const char c : text) {
        if (!isDigit(c)) {
            return false;
        }
    }
    return true;
}

unsigned twoDigits(std::string_view text, std::size_t at) {
    return static_cast<unsigned>(text[at] - '0') * 10 + static_cast<unsigned>(text[at + 1] - '0');
}

std::string_view withoutBlanks(std::string_view number) {
    const auto first = number.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return number.substr(first, number.find_last_not_of(' ') - first + 1);
}

bool imported(const ColumnDefinition& column, std::string_view notImported) {
    return !column.Mnemonic.empty() && column.Mnemonic != notImported;
}

} // namespace

ValueClass ValueClassOf(const ColumnDefinition& column) {
    if (column.IsDate) {
        return ValueClass::Date;
    }
    if (column.IsTime) {
        return ValueClass::Time;
    }
    if (!column.DecimalSeparator.empty() || column.DataType == kIntegerDataType ||
        column.DataType == kDecimalDataType) {
        return ValueClass::Number;
    }
    return ValueClass::Text;
}

bool IsNumberText(std::string_view written) {
    bool digitSeen = false;
    bool signSeen = false;
    for (const char c : written) {
        if (isDigit(c)) {
            digitSeen = true;
        } else if ((c == '-' || c == '+') && !digitSeen && !signSeen) {
            signSeen = true;
        } else if (c != ' ') {
            return false;
        }
    }
    return true;
}

bool IsCalendarDate(std::string_view written) {
    if (written.size() != 8 || !allDigits(written)) {
        return false;
    }
    const int year = static_cast<int>(twoDigits(written, 0) * 100 + twoDigits(written, 2));
    const std::chrono::year_month_day date{std::chrono::year{year},
                                           std::chrono::month{twoDigits(written, 4)},
                                           std::chrono::day{twoDigits(written, 6)}};
    return date.ok();
}

bool IsClockTime(std::string_view written) {
    return written.size() == 6 && allDigits(written) && twoDigits(written, 0) <= 23 &&
           twoDigits(written, 2) <= 59 && twoDigits(written, 4) <= 59;
}

std::vector<bool> NeededIndexColumns(const ColumnTable& table, std::string_view notImported) {
    std::vector<bool> needed(table.size(), false);
    for (const ColumnDefinition& column : table) {
        const std::string_view index = withoutBlanks(column.RequiredIndex);
        if (!imported(column, notImported) || index.empty() || index == withoutBlanks(kNoIndex) ||
            index == withoutBlanks(column.ItemNumber)) {
            continue;
        }
        for (std::size_t i = 0; i < table.size(); ++i) {
            if (&table[i] != &column && imported(table[i], notImported) &&
                withoutBlanks(table[i].ItemNumber) == index) {
                needed[i] = true;
            }
        }
    }
    return needed;
}

} // namespace kolvane
