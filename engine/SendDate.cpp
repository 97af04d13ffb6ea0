// SPDX-License-Identifier: MIT
#include "engine/SendDate.h"

#include "engine/DateCheck.h"
#include "engine/Dates.h"

#include <array>

namespace kolvane {
namespace {

// Puts the values in place of %1, %2, ... of a text from the string table.
std::string fillIn(std::string text, const std::array<std::string_view, 3>& values) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] == '%' && next >= '1' && next <= '3') {
            out += values[static_cast<std::size_t>(next - '1')];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

std::string TodayInSetupFormat(const ImportSetup& setup, const Clock& clock) {
    return FormatTodayByPattern(ReadingPattern(setup), clock);
}

std::optional<std::string> SendDateRefusal(const ImportSetup& setup, std::string_view sendDate,
                                           const Language& language, const Clock& clock) {
    if (ReadDateUnderPattern(ReadingPattern(setup), sendDate).ok()) {
        return std::nullopt;
    }
    const std::string example = TodayInSetupFormat(setup, clock);
    return fillIn(language.LoadText(msg::SendDateUnreadable),
                  {sendDate, ShownDateFormat(setup), example});
}

} // namespace kolvane
