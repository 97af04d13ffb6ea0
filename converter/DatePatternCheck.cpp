// SPDX-License-Identifier: MIT
#include "converter/DatePatternCheck.h"

#include "engine/Messages.h"

namespace kolvane::converter {
namespace {

struct Group {
    int letters = 0;
    bool done = false;
};

// One more letter of a group; false when the group was already complete.
bool addLetter(Group& group, int completeAt) {
    if (group.done) {
        return false;
    }
    group.done = ++group.letters == completeAt;
    return true;
}

} // namespace

DatePatternCheck CheckDatePattern(std::string_view pattern, char year, char month, char day) {
    Group years;
    Group months;
    Group days;
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        const char c = pattern[at];
        bool accepted = true;
        if (c == year) {
            accepted = addLetter(years, 4);
        } else if (c == month) {
            accepted = addLetter(months, 2);
        } else if (c == day) {
            accepted = addLetter(days, 2);
        } else if (years.letters >= 2) {
            years.done = true;
        } else if (!months.done && !days.done) {
            return {false, msg::IncorrectDateFormatSpaced, at};
        }
        if (!accepted) {
            return {false, msg::IncorrectDateFormat, at};
        }
    }
    const bool complete = years.letters >= 2 && months.done && days.done;
    return {complete, complete ? 0 : msg::IncorrectDateFormat, pattern.size()};
}

} // namespace kolvane::converter
