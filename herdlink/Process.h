// SPDX-License-Identifier: MIT
// Starting programs. A program is started from an argument list, its path
// first, exactly as given: no shell, nothing split. Options choose its
// environment, working folder and where its standard streams come from and go
// to. It is waited for, detached (a session of its own, reaped in the
// background), or a child whose standard input and output this program talks
// to. A command line as Windows writes it (outside text, such as a registered
// automation server) is split into such a list first.
#pragma once

#include "engine/Status.h"

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kolvane {

// Splits a command line into the program and its arguments. Quotes are removed;
// a quoted part may hold blanks.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// An open file descriptor, closed when the object goes.
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        reset(other.release());
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }
    void reset(int fd = -1);

private:
    int fd_ = -1;
};

// Where one of a program's standard streams comes from or goes to.
struct ProcessStream {
    enum class Kind {
        Inherit,    // this program's own
        Pipe,       // a pipe between the two programs (Process::input(), output(), error())
        File,       // `path`: read for the input; created or emptied for an output
        Descriptor, // `descriptor`, one of this program's (for example its standard error)
    };
    Kind kind = Kind::Inherit;
    std::string path;
    int descriptor = -1;

    static ProcessStream Pipe() { return {Kind::Pipe, {}, -1}; }
    static ProcessStream File(std::string path) { return {Kind::File, std::move(path), -1}; }
    static ProcessStream Descriptor(int fd) { return {Kind::Descriptor, {}, fd}; }
    static ProcessStream Discard() { return File("/dev/null"); }
};

struct StartOptions {
    // Set in the program's environment, over this program's own variables.
    std::map<std::string, std::string> environment;
    std::string workingFolder; // empty: this program's
    ProcessStream input;
    ProcessStream output;
    ProcessStream error;
    // A session (and process group) of its own: signals from this program's
    // terminal do not reach it.
    bool ownSession = false;
};

// A started program. One still running when the object goes is killed and
// waited for; the pipes to it are closed.
class Process {
public:
    // Starts arguments[0] with the arguments as they are. The status says why
    // it could not start: FileNotFound names a missing program, working folder
    // or input file.
    static std::optional<Process> Start(const std::vector<std::string>& arguments,
                                        const StartOptions& options, Status& status);

    ~Process();
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool running() const { return pid_ > 0; }
    // This program's ends of the pipes asked for; -1 for a stream not piped.
    int input() const { return input_.get(); }
    int output() const { return output_.get(); }
    int error() const { return error_.get(); }
    void closeInput() { input_.reset(); }

    // Waits for it to end: its exit code, -1 when a signal ended it.
    int wait();
    // Waits at most `timeout`: nothing when it still runs.
    std::optional<int> waitFor(std::chrono::milliseconds timeout);
    void kill(); // ends it at once and waits for it
    // Asks it to end (SIGTERM); one that has not ended after `grace` is killed.
    void terminate(std::chrono::milliseconds grace);
    // The signal that ended it; 0 when it ended by itself or still runs.
    int endSignal() const { return endSignal_; }

private:
    Process(int pid, FileDescriptor input, FileDescriptor output, FileDescriptor error)
        : pid_(pid), input_(std::move(input)), output_(std::move(output)),
          error_(std::move(error)) {}
    int pid_ = -1;
    int endSignal_ = 0;
    FileDescriptor input_;
    FileDescriptor output_;
    FileDescriptor error_;
};

struct ProcessEnd {
    Status status;         // ok when the program ran
    int exitCode = -1;     // its exit code; -1 when it ended by a signal
    int signal = 0;        // the signal that ended it
    bool timedOut = false; // it ran past the limit and was ended
};

// Runs a program and waits for it to end, at most `limit` when one is given:
// then it is asked to end, and killed when it does not. (Pipes are no use
// here: nothing reads them while it runs.)
ProcessEnd RunAndWait(const std::vector<std::string>& arguments, const StartOptions& options = {},
                      std::optional<std::chrono::milliseconds> limit = std::nullopt);

// Starts a program in a session of its own and does not wait for it. It is
// reaped in the background when it ends, so no zombie is left behind.
Status StartDetached(const std::vector<std::string>& arguments, StartOptions options = {});

// A child process that this program talks to through pipes to its standard
// input and output. The child is ended (its input closed, then killed if it
// lingers) when the object goes.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess() { end(); }
    ChildProcess(ChildProcess&& other) noexcept = default;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts the program as Process::Start does; its standard input and output
    // become the pipes, whatever `options` say of them.
    Status start(const std::vector<std::string>& arguments, StartOptions options = {});
    bool running() const { return process_ && process_->running(); }
    // The pipes, for framings that work on descriptors; -1 when not running.
    int input() const { return process_ ? process_->input() : -1; }
    int output() const { return process_ ? process_->output() : -1; }

    Status writeAll(std::string_view bytes);
    // Reads exactly `count` bytes, waiting at most until `deadline`.
    Status readExactly(std::size_t count, std::string& bytes,
                       std::chrono::steady_clock::time_point deadline);
    // Closes its input, reads what it still writes until it closes its output
    // and waits for it to end, all until `deadline` at the most (then it is
    // killed).
    ProcessEnd finish(std::string& rest, std::chrono::steady_clock::time_point deadline);
    // Closes its input, waits a moment for it to end, then kills it.
    void end();

private:
    std::optional<Process> process_;
};

} // namespace kolvane
