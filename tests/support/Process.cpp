// SPDX-License-Identifier: MIT
#include "tests/support/Process.h"

#include "herdlink/Process.h"
#include "tests/support/TempFolder.h"

namespace kolvane::testing {

// Standard output and error go to files, so that a program writing much to
// both never waits on a pipe that nobody reads.
ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const ProcessOptions& options) {
    const TempFolder scratch;
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    StartOptions start;
    start.environment = options.environment;
    start.workingFolder = options.workingDirectory;
    start.input = ProcessStream::File(scratch.write("stdin", options.input));
    start.output = ProcessStream::File(scratch.path("stdout"));
    start.error = ProcessStream::File(scratch.path("stderr"));
    const ProcessEnd end = RunAndWait(argv, start);
    ProcessResult result;
    if (!end.status.ok()) {
        result.err = "cannot start " + program + ": " + end.status.describe();
        return result;
    }
    result.exitCode = end.exitCode;
    result.out = scratch.read("stdout");
    result.err = scratch.read("stderr");
    return result;
}

KilledRun RunAndKill(const std::string& program, const std::vector<std::string>& arguments,
                     std::chrono::milliseconds delay) {
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    StartOptions start;
    start.output = ProcessStream::Discard();
    start.error = ProcessStream::Discard();
    Status status;
    std::optional<Process> process = Process::Start(argv, start, status);
    KilledRun run;
    if (!process) {
        return run;
    }
    if (const auto ended = process->waitFor(delay)) {
        run.exitCode = *ended;
        return run;
    }
    process->kill();
    run.killed = true;
    return run;
}

} // namespace kolvane::testing
