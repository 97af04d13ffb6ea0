// SPDX-License-Identifier: MIT
// kolvane-cli imports: the registered automatic imports.
#pragma once

#include <string>
#include <vector>

namespace kolvane::cli {

// "imports list" and "imports remove DST"; the arguments after "imports".
int RunImports(const std::vector<std::string>& arguments);

inline constexpr const char* kImportsUsage = "kolvane-cli imports list\n"
                                             "kolvane-cli imports remove DST\n";

} // namespace kolvane::cli
