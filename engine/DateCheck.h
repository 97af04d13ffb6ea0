// SPDX-License-Identifier: MIT
// Whether a date text reads under a date pattern as the pattern says: the
// conversion itself copies whatever stands where the pattern points, so a date
// written in another format still gives eight characters. This tells such a
// date apart before it reaches the herd database.
#pragma once

#include "engine/ImportSetup.h"

#include <string>
#include <string_view>

namespace kolvane {

enum class DateProblem {
    None,
    Empty,
    TooShort,         // the text ran out before the pattern did
    NotDigits,        // a year, month or day holds other than digits, or the year is not four
    DigitAtSeparator, // the pattern's separator stood on a digit: the layout differs
    UnreadDigits,     // digits are left after the pattern's last letter
    NotCalendarDate,  // month 13, 31 February and the like
};

struct DateReading {
    std::string adis; // YYYYMMDD when the text reads; else what the conversion makes of it
    DateProblem problem = DateProblem::None;

    bool ok() const { return problem == DateProblem::None; }
};

DateReading ReadDateUnderPattern(std::string_view pattern, std::string_view text);

// The pattern that the ADIS writer reads the setup's dates with.
std::string_view ReadingPattern(const ImportSetup& setup);
// The format as the user knows it: its name, or the pattern of the user's own format.
std::string_view ShownDateFormat(const ImportSetup& setup);

} // namespace kolvane
