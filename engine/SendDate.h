// SPDX-License-Identifier: MIT
// The send date is put before every row and read as a date value, so it has to
// read under the setup's date format before anything is converted.
#pragma once

#include "engine/Clock.h"
#include "engine/ImportSetup.h"
#include "engine/StringTable.h"

#include <optional>
#include <string>
#include <string_view>

namespace kolvane {

// Nothing when `sendDate` reads under the setup's format; otherwise the refusal
// in the user's language, naming the format with today's date written in it.
std::optional<std::string> SendDateRefusal(const ImportSetup& setup, std::string_view sendDate,
                                           const Language& language, const Clock& clock);

// Today's date written in the pattern that reads the setup's dates.
std::string TodayInSetupFormat(const ImportSetup& setup, const Clock& clock);

} // namespace kolvane
