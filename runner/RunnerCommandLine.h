// SPDX-License-Identifier: MIT
// The runner's command line: "Brennick [-d] [-c] DST-path".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kolvane {

// Splits the command text at blanks and TABs; there is no quoting (DST paths
// hold no blanks: the converter replaces them by "_"). At most `maxArgs`
// arguments are taken.
std::vector<std::string> GetCommandLine(std::string_view commandText, int maxArgs = 10);

struct RunnerArguments {
    std::vector<std::string> arguments;
    bool startWithoutConfirmation = false; // "-d"
    bool closeWithoutConfirmation = false; // "-c"
    std::string dstPath;                   // the last of one to three arguments, else ""

    bool any() const { return !arguments.empty(); }
    // The path must end in "dst", exactly so (lower case).
    bool namesDstFile() const;
};

RunnerArguments ParseRunnerArguments(std::string_view commandText);

} // namespace kolvane
