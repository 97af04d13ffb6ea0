// SPDX-License-Identifier: MIT
// The check of a date pattern that the user builds in the date format window:
// year, month and day letters of the current language (compared exactly, so a
// lower-case letter is no letter), any other character a separator. The year
// takes 2 to 4 letters, month and day exactly 2; a separator may only follow a
// group that is long enough.
#pragma once

#include <string_view>

namespace kolvane::converter {

struct DatePatternCheck {
    bool valid = false;
    // The message to show when the pattern is not valid: msg::IncorrectDateFormat
    // (a group too long, or the pattern incomplete) or msg::IncorrectDateFormatSpaced
    // (a separator where no group is long enough yet); 0 when valid.
    int message = 0;
    // Where the check stopped: the character that made it wrong, or the length.
    std::size_t position = 0;
};

DatePatternCheck CheckDatePattern(std::string_view pattern, char year, char month, char day);

} // namespace kolvane::converter
