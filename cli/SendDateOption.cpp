// SPDX-License-Identifier: MIT
#include "cli/SendDateOption.h"

#include "cli/CliPort.h"
#include "cli/Usage.h"
#include "engine/SendDate.h"

#include <cstdio>

namespace kolvane::cli {

std::optional<std::string> SendDateFromOption(const ImportSetup& setup, std::string_view given,
                                              const Language& language, const Clock& clock,
                                              std::string_view invokedAs) {
    std::string sendDate =
        given == kTodayWord ? TodayInSetupFormat(setup, clock) : std::string(given);
    // "today" is checked too: a pattern of the user's own may not read its own dates.
    if (const auto refusal = SendDateRefusal(setup, sendDate, language, clock)) {
        std::fputs(UsageErrorText(Shown(*refusal), invokedAs).c_str(), stderr);
        return std::nullopt;
    }
    return sendDate;
}

} // namespace kolvane::cli
