// SPDX-License-Identifier: MIT
// Runs a program for end-to-end tests and collects its exit code and output.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace kolvane::testing {

struct ProcessResult {
    int exitCode = -1; // -1 when it could not run or ended by a signal
    std::string out;
    std::string err;
};

struct ProcessOptions {
    std::map<std::string, std::string> environment; // added to (or replacing) the current one
    std::string workingDirectory;
    std::string input; // standard input
};

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const ProcessOptions& options = {});

} // namespace kolvane::testing
