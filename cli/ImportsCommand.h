// SPDX-License-Identifier: MIT
// kolvane-cli imports: the registered automatic imports.
#pragma once

#include "cli/Command.h"

#include <string>

namespace kolvane::cli {

struct ImportsOptions {
    enum class Action { List, Remove };
    Action action = Action::List;
    std::string dstPath; // the import to remove
};

// "imports list" and "imports remove DST", read into ImportsOptions and run by
// RunImports.
Command MakeImportsCommand();

int RunImports(const ImportsOptions& options);

} // namespace kolvane::cli
