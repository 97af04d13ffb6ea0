// SPDX-License-Identifier: MIT
// kolvane-cli run: an automatic import as the runner does it with "-d -c",
// without windows.
#pragma once

#include <string>
#include <vector>

namespace kolvane::cli {

int RunAutomaticImport(const std::vector<std::string>& arguments);

inline constexpr const char* kRunUsage =
    "kolvane-cli run SETUP.dst [--source FILE] [--send-date TEXT] [--no-import [-o FILE]]\n"
    "                [--language SP|EN|DE|FR]\n";

} // namespace kolvane::cli
