// SPDX-License-Identifier: MIT
// kolvane-cli imports: the registered automatic imports, listed, added and removed.
#pragma once

#include "cli/Command.h"

#include <string>

namespace kolvane::cli {

struct ImportsOptions {
    enum class Action { List, Add, Remove };
    Action action = Action::List;
    // add: the setup file; remove: its number in the list, or its setup file.
    std::string entry;
    bool batchFile = false;                // add: write the batch file that starts the runner
    bool startWithoutConfirmation = false; // add: "-d" in the batch file
    bool closeWithoutConfirmation = false; // add: "-c" in the batch file
    bool deleteSetupFile = false;          // remove: the setup file goes too
};

// "imports list", "imports add SETUP.dst" and "imports remove ENTRY", read
// into ImportsOptions and run by RunImports.
Command MakeImportsCommand();

int RunImports(const ImportsOptions& options);

} // namespace kolvane::cli
