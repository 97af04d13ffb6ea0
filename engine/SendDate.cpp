// SPDX-License-Identifier: MIT
#include "engine/SendDate.h"

#include "engine/DateCheck.h"
#include "engine/Dates.h"
#include "engine/SetupConfirmation.h"

namespace kolvane {
std::string TodayInSetupFormat(const ImportSetup& setup, const Clock& clock) {
    return FormatTodayByPattern(ReadingPattern(setup), clock);
}

std::optional<std::string> SendDateRefusal(const ImportSetup& setup, std::string_view sendDate,
                                           const Language& language, const Clock& clock) {
    if (ReadDateUnderPattern(ReadingPattern(setup), sendDate).ok()) {
        return std::nullopt;
    }
    const std::string example = TodayInSetupFormat(setup, clock);
    return language.FillText(msg::SendDateUnreadable,
                             {sendDate, DateFormatCaption(setup, language), example});
}

} // namespace kolvane
