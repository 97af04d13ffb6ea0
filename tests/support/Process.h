// SPDX-License-Identifier: MIT
// Runs a program for end-to-end tests and collects its exit code and output.
#pragma once

#include <chrono>
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

struct KilledRun {
    bool killed = false; // it still ran after the delay and was killed at once (SIGKILL)
    int exitCode = -1;   // when it ended before
};

// Starts a program (its output discarded) and kills it after `delay` unless it ended.
KilledRun RunAndKill(const std::string& program, const std::vector<std::string>& arguments,
                     std::chrono::milliseconds delay);

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const ProcessOptions& options = {});

} // namespace kolvane::testing
