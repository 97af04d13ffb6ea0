// SPDX-License-Identifier: MIT
// kolvane-cli run: an automatic import as the runner does it with "-d -c",
// without windows.
#pragma once

#include "cli/Command.h"

#include <chrono>
#include <optional>
#include <string>

namespace kolvane::cli {

struct RunOptions {
    std::string dstPath;
    std::optional<std::string> sourcePath;
    std::optional<std::string> sendDate;
    std::optional<std::string> outputPath;
    std::optional<std::string> language;
    bool import = true;
    std::optional<std::chrono::minutes> importerTimeout; // --importer-timeout
};

// "run": its arguments, read into RunOptions and run by RunAutomaticImport.
Command MakeRunCommand();

int RunAutomaticImport(const RunOptions& options);

} // namespace kolvane::cli
