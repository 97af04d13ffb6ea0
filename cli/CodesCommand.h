// SPDX-License-Identifier: MIT
// kolvane-cli codes: the code dictionary, searched, or refilled from the herd software.
#pragma once

#include <string>
#include <vector>

namespace kolvane::cli {

// "codes [TEXT] [--database FILE] [--language L]" and "codes --import [--database FILE]".
int RunCodes(const std::vector<std::string>& arguments);

inline constexpr const char* kCodesUsage =
    "kolvane-cli codes [TEXT] [--database FILE] [--language SP|EN|DE|FR]\n"
    "kolvane-cli codes --import [--database FILE]\n";

} // namespace kolvane::cli
