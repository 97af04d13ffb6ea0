// SPDX-License-Identifier: MIT
// Dates of the source file into ADIS dates (YYYYMMDD), driven by the date format
// of the setup, and the two companions: today in a pattern, and an ADIS date
// back into a calendar date.
#pragma once

#include "engine/Clock.h"
#include "engine/EngineContext.h"
#include "engine/ImportSetup.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kolvane {

// What a parse left of the value: the checks that a date reads as its pattern
// says look at it; the conversion itself ignores it.
struct DateParseTrace {
    std::string_view unread;         // the value after the last character the pattern took
    bool separatorTookDigit = false; // a separator of the pattern stood on a digit
};

// A date pattern read once, so that a column of dates is parsed quickly.
// Letters of every language count (year A Y J, month M, day D T, in any case);
// "-", "/", "." and "\" are separators; any other character ends the parse.
class DatePatternParser {
public:
    explicit DatePatternParser(std::string_view pattern);

    // Appends the ADIS form of `value` to `out`. Returns false, appending
    // nothing, when the value runs out before the pattern does.
    bool parse(std::string_view value, std::string& out, DateParseTrace* trace = nullptr) const {
        return parseInPlace(value, out, trace) || parseStepByStep(value, out, trace);
    }
    // The same; `unread` is what the pattern left of the value.
    bool parse(std::string_view value, std::string& out, std::string_view& unread) const;
    // What parse gives, always by the rules step by step (parse takes a short
    // cut for values whose characters stand where the pattern puts them).
    bool parseStepByStep(std::string_view value, std::string& out,
                         DateParseTrace* trace = nullptr) const;

    enum class Part : unsigned char { Year, Month, Day, Separator, Unknown };

private:
    bool parseInPlace(std::string_view value, std::string& out, DateParseTrace* trace) const;

    std::vector<Part> parts_;
    std::size_t readParts_ = 0; // the parts before the first unknown character
};

// The ADIS form of `value` under `pattern`; nothing when the value is too short.
std::optional<std::string> ParseDateByPattern(std::string_view pattern, std::string_view value);

// Converts one date cell of the setup's date format. An empty value gives "".
// Sets DatePattern from DateFormatName first (unless the format is the user's own).
// A value too short for its pattern shows msg::DateNotTranslated, sets DateConversionFailed
// and gives "".
std::string ConvertDate(ImportSetup& setup, std::string_view value, const EngineContext& context);

// Makes DatePattern follow DateFormatName, as every date conversion does first.
void SelectDatePattern(ImportSetup& setup);

// `date` written in a date pattern: day letters (D T Q) give the day, M the month,
// year letters (J A Y) the year; runs of letters read as the platform's date
// format reads them (dd, d, mm, m, yyyy, yy, and y = day of the year); any other
// character is copied.
std::string FormatDateByPattern(std::string_view pattern, std::chrono::year_month_day date);
std::string FormatTodayByPattern(std::string_view pattern, const Clock& clock);

// An ADIS date (YYYYMMDD, or YYMMDD) as an automation date: days since
// 30 December 1899. Nothing when the text is no valid date. Two-digit years
// 00 to 29 are 2000 to 2029, 30 to 99 are 1930 to 1999.
std::optional<double> Trans_Fechas(std::string_view adisDate);

} // namespace kolvane
