// SPDX-License-Identifier: MIT
// --send-date of convert and run: a date in the setup's format, or "today".
#pragma once

#include "engine/Clock.h"
#include "engine/ImportSetup.h"
#include "engine/StringTable.h"

#include <optional>
#include <string>
#include <string_view>

namespace kolvane::cli {

inline constexpr std::string_view kTodayWord = "today";

// The send date that `given` stands for. A date that does not read under the
// setup's format is a usage error: told on standard error as such (naming
// `invokedAs`' help), and nothing is returned.
std::optional<std::string> SendDateFromOption(const ImportSetup& setup, std::string_view given,
                                              const Language& language, const Clock& clock,
                                              std::string_view invokedAs);

} // namespace kolvane::cli
