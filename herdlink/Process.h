// SPDX-License-Identifier: MIT
// Starting programs: from a command line as Windows writes them (blanks
// separate arguments, double quotes group them), detached or waited for, or as
// a child whose standard input and output this program talks to.
#pragma once

#include "engine/Status.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kolvane {

// Splits a command line into the program and its arguments. Quotes are removed;
// a quoted part may hold blanks.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// Runs a command line and waits for it to end; its output goes to standard
// error. The status says why a program could not be started (FileNotFound for
// a missing program).
struct ProcessEnd {
    Status status;     // ok when the program ran
    int exitCode = -1; // its exit code; -1 when it ended by a signal
};
ProcessEnd RunAndWait(std::string_view commandLine);

// Starts a command line and does not wait for it.
Status StartDetached(std::string_view commandLine);

// A child process that this program talks to through its standard input and
// output. The child is ended (its input closed, then killed if it lingers) when
// the object goes.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    Status start(const std::vector<std::string>& commandAndArguments);
    bool running() const { return pid_ > 0; }

    Status writeAll(std::string_view bytes);
    // Reads exactly `count` bytes, waiting at most until `deadline`.
    Status readExactly(std::size_t count, std::string& bytes,
                       std::chrono::steady_clock::time_point deadline);
    // Closes its input, waits a moment for it to end, then kills it.
    void end();

private:
    int pid_ = -1;
    int input_ = -1;  // the child's standard input
    int output_ = -1; // the child's standard output
};

} // namespace kolvane
