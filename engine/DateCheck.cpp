// SPDX-License-Identifier: MIT
#include "engine/DateCheck.h"

#include "engine/Dates.h"

#include <algorithm>
#include <cctype>
#include <chrono>

namespace kolvane {
namespace {

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), isDigit);
}

bool isCalendarDate(std::string_view adis) {
    const auto number = [&](std::size_t from, std::size_t count) {
        unsigned value = 0;
        for (const char c : adis.substr(from, count)) {
            value = value * 10 + static_cast<unsigned>(c - '0');
        }
        return value;
    };
    const std::chrono::year_month_day date{std::chrono::year{static_cast<int>(number(0, 4))},
                                           std::chrono::month{number(4, 2)},
                                           std::chrono::day{number(6, 2)}};
    return date.ok();
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) ==
               std::toupper(static_cast<unsigned char>(y));
    });
}

} // namespace

DateReading ReadDateUnderPattern(std::string_view pattern, std::string_view text) {
    DateReading reading;
    if (text.empty()) {
        reading.problem = DateProblem::Empty;
        return reading;
    }
    DateParseTrace trace;
    if (!DatePatternParser(pattern).parse(text, reading.adis, &trace)) {
        reading.problem = DateProblem::TooShort;
    } else if (reading.adis.size() != 8 || !allDigits(reading.adis)) {
        reading.problem = DateProblem::NotDigits;
    } else if (trace.separatorTookDigit) {
        reading.problem = DateProblem::DigitAtSeparator;
    } else if (std::any_of(trace.unread.begin(), trace.unread.end(), isDigit)) {
        reading.problem = DateProblem::UnreadDigits;
    } else if (!isCalendarDate(reading.adis)) {
        reading.problem = DateProblem::NotCalendarDate;
    }
    return reading;
}

std::string_view ReadingPattern(const ImportSetup& setup) {
    return setup.DateFormatName == kCustomDateFormat ? std::string_view(setup.DatePattern)
                                                     : std::string_view(setup.DateFormatName);
}

std::string_view ShownDateFormat(const ImportSetup& setup) {
    return equalsIgnoringCase(setup.DateFormatName, kCustomDateFormat)
               ? std::string_view(setup.DatePattern)
               : std::string_view(setup.DateFormatName);
}

} // namespace kolvane
