// SPDX-License-Identifier: MIT
#include "herdlink/Process.h"

#include "engine/Messages.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace kolvane {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

std::string errnoText(int error) {
    return std::strerror(error);
}

// NUL-terminated texts and the null-ended list of pointers to them that exec takes.
class CStrings {
public:
    explicit CStrings(std::vector<std::string> texts) : texts_(std::move(texts)) {
        for (auto& text : texts_) {
            pointers_.push_back(text.data());
        }
        pointers_.push_back(nullptr);
    }
    CStrings(const CStrings&) = delete;
    CStrings& operator=(const CStrings&) = delete;
    char* const* get() { return pointers_.data(); }

private:
    std::vector<std::string> texts_;
    std::vector<char*> pointers_;
};

// This program's environment with `overrides` set over it.
std::vector<std::string> environmentWith(const std::map<std::string, std::string>& overrides) {
    std::map<std::string, std::string> merged;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view text = *entry;
        const auto equals = text.find('=');
        merged.emplace(text.substr(0, equals),
                       equals == std::string_view::npos ? "" : text.substr(equals + 1));
    }
    for (const auto& [name, value] : overrides) {
        merged[name] = value;
    }
    std::vector<std::string> entries;
    for (const auto& [name, value] : merged) {
        entries.push_back(name + "=" + value);
    }
    return entries;
}

Status checkProgram(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.front().empty()) {
        return {ErrorCode::BadSetup, "no program was given to start"};
    }
    const std::string& program = arguments.front();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(program, ec)) {
        return Status(ErrorCode::FileNotFound, "the program does not exist", program)
            .withMessage(msg::FileNotFound);
    }
    if (::access(program.c_str(), X_OK) != 0) {
        return {ErrorCode::FileUnreadable, "the program cannot be run: " + errnoText(errno),
                program};
    }
    return Status::Ok();
}

Status checkWorkingFolder(const std::string& folder) {
    std::error_code ec;
    if (!folder.empty() && !std::filesystem::is_directory(folder, ec)) {
        return {ErrorCode::FileNotFound, "the working folder does not exist", folder};
    }
    return Status::Ok();
}

// One standard stream of the child: the descriptor that becomes it (-1:
// inherited) and, for a pipe, this program's end.
struct Plumbing {
    FileDescriptor opened; // opened here for the child; closed once it has its copy
    int childFd = -1;
    FileDescriptor ourEnd;
};

Status openFile(const std::string& path, bool forInput, FileDescriptor& file) {
    // Appending keeps output and error apart when both go to one file.
    const int flags = forInput ? O_RDONLY : O_WRONLY | O_CREAT | O_TRUNC | O_APPEND;
    file.reset(::open(path.c_str(), flags | O_CLOEXEC, 0666));
    if (file.get() >= 0) {
        return Status::Ok();
    }
    const int error = errno;
    if (forInput) {
        return {error == ENOENT ? ErrorCode::FileNotFound : ErrorCode::FileUnreadable,
                "the input file cannot be opened: " + errnoText(error), path};
    }
    return {ErrorCode::WriteFailed, "the output file cannot be written: " + errnoText(error), path};
}

Status plumb(const ProcessStream& stream, bool forInput, Plumbing& plumbing) {
    switch (stream.kind) {
    case ProcessStream::Kind::Inherit:
        return Status::Ok();
    case ProcessStream::Kind::Descriptor:
        plumbing.childFd = stream.descriptor;
        return Status::Ok();
    case ProcessStream::Kind::File: {
        Status opened = openFile(stream.path, forInput, plumbing.opened);
        plumbing.childFd = plumbing.opened.get();
        return opened;
    }
    case ProcessStream::Kind::Pipe: {
        int ends[2]; // [0] reads, [1] writes
        if (::pipe2(ends, O_CLOEXEC) != 0) {
            return {ErrorCode::FileUnreadable, "cannot create a pipe: " + errnoText(errno)};
        }
        plumbing.opened.reset(forInput ? ends[0] : ends[1]);
        plumbing.ourEnd.reset(forInput ? ends[1] : ends[0]);
        plumbing.childFd = plumbing.opened.get();
        return Status::Ok();
    }
    }
    return Status::Ok();
}

// The file actions and attributes of one posix_spawn call.
class SpawnSetup {
public:
    explicit SpawnSetup(const StartOptions& options) {
        posix_spawn_file_actions_init(&actions_);
        posix_spawnattr_init(&attributes_);
        // Signals this program ignores or blocks (SIGPIPE) are the child's defaults again.
        sigset_t signals;
        sigemptyset(&signals);
        posix_spawnattr_setsigmask(&attributes_, &signals);
        sigaddset(&signals, SIGPIPE);
        posix_spawnattr_setsigdefault(&attributes_, &signals);
        short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
        if (options.ownSession) {
            flags |= POSIX_SPAWN_SETSID;
        }
        posix_spawnattr_setflags(&attributes_, flags);
        if (!options.workingFolder.empty()) {
            posix_spawn_file_actions_addchdir_np(&actions_, options.workingFolder.c_str());
        }
    }
    ~SpawnSetup() {
        posix_spawnattr_destroy(&attributes_);
        posix_spawn_file_actions_destroy(&actions_);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    void redirect(int from, int to) {
        if (from >= 0) {
            posix_spawn_file_actions_adddup2(&actions_, from, to);
        }
    }
    int spawn(pid_t& pid, const std::string& program, CStrings& argv, CStrings& environment) {
        return posix_spawn(&pid, program.c_str(), &actions_, &attributes_, argv.get(),
                           environment.get());
    }

private:
    posix_spawn_file_actions_t actions_;
    posix_spawnattr_t attributes_;
};

struct Spawned {
    pid_t pid = -1;
    std::array<FileDescriptor, 3> ourEnds; // of the pipes to its input, output and error
};

Status spawn(const std::vector<std::string>& arguments, const StartOptions& options,
             Spawned& spawned) {
    if (Status checked = checkProgram(arguments); !checked.ok()) {
        return checked;
    }
    if (Status checked = checkWorkingFolder(options.workingFolder); !checked.ok()) {
        return checked;
    }
    const std::array<const ProcessStream*, 3> wanted{&options.input, &options.output,
                                                     &options.error};
    std::array<Plumbing, 3> streams;
    for (std::size_t fd = 0; fd < streams.size(); ++fd) {
        if (Status plumbed = plumb(*wanted[fd], fd == 0, streams[fd]); !plumbed.ok()) {
            return plumbed;
        }
    }
    SpawnSetup setup(options);
    for (std::size_t fd = 0; fd < streams.size(); ++fd) {
        setup.redirect(streams[fd].childFd, static_cast<int>(fd));
    }
    // The program as checked here, even when the child changes its folder first.
    const std::string program = std::filesystem::absolute(arguments.front()).string();
    CStrings argv(arguments);
    CStrings environment(environmentWith(options.environment));
    if (const int error = setup.spawn(spawned.pid, program, argv, environment); error != 0) {
        return {ErrorCode::FileUnreadable, "the program cannot be started: " + errnoText(error),
                arguments.front()};
    }
    for (std::size_t fd = 0; fd < streams.size(); ++fd) {
        spawned.ourEnds[fd] = std::move(streams[fd].ourEnd);
    }
    return Status::Ok();
}

int exitCodeOf(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Waits for the process to end (options 0) or looks whether it has
// (WNOHANG): true when it is gone, with its exit code (and the signal that
// ended it, if one did).
bool reap(pid_t pid, int options, int& exitCode, int* endSignal = nullptr) {
    int status = 0;
    pid_t got = 0;
    while ((got = ::waitpid(pid, &status, options)) < 0 && errno == EINTR) {
    }
    exitCode = got == pid ? exitCodeOf(status) : -1;
    if (endSignal != nullptr && got == pid && WIFSIGNALED(status)) {
        *endSignal = WTERMSIG(status);
    }
    return got != 0; // an error (ECHILD) means there is nothing left to wait for
}

} // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (const char c : commandLine) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord) {
                words.push_back(std::exchange(word, {}));
                inWord = false;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(word);
    }
    return words;
}

void FileDescriptor::reset(int fd) {
    if (fd_ >= 0 && fd_ != fd) {
        ::close(fd_);
    }
    fd_ = fd;
}

std::optional<Process> Process::Start(const std::vector<std::string>& arguments,
                                      const StartOptions& options, Status& status) {
    Spawned spawned;
    status = spawn(arguments, options, spawned);
    if (!status.ok()) {
        return std::nullopt;
    }
    auto& [input, output, error] = spawned.ourEnds;
    return Process(spawned.pid, std::move(input), std::move(output), std::move(error));
}

Process::~Process() {
    input_.reset();
    if (running()) {
        kill();
    }
}

Process::Process(Process&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)), endSignal_(other.endSignal_),
      input_(std::move(other.input_)), output_(std::move(other.output_)),
      error_(std::move(other.error_)) {}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        input_.reset();
        if (running()) {
            kill();
        }
        pid_ = std::exchange(other.pid_, -1);
        endSignal_ = other.endSignal_;
        input_ = std::move(other.input_);
        output_ = std::move(other.output_);
        error_ = std::move(other.error_);
    }
    return *this;
}

int Process::wait() {
    int exitCode = -1;
    if (running()) {
        reap(std::exchange(pid_, -1), 0, exitCode, &endSignal_);
    }
    return exitCode;
}

std::optional<int> Process::waitFor(milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    int exitCode = -1;
    while (running()) {
        if (reap(pid_, WNOHANG, exitCode, &endSignal_)) {
            pid_ = -1;
            break;
        }
        if (Clock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(milliseconds(10));
    }
    return exitCode;
}

void Process::kill() {
    if (running()) {
        ::kill(pid_, SIGKILL);
        wait();
    }
}

void Process::terminate(milliseconds grace) {
    if (running()) {
        ::kill(pid_, SIGTERM);
        if (!waitFor(grace)) {
            kill();
        }
    }
}

ProcessEnd RunAndWait(const std::vector<std::string>& arguments, const StartOptions& options,
                      std::optional<milliseconds> limit) {
    ProcessEnd end;
    if (auto process = Process::Start(arguments, options, end.status)) {
        if (!limit) {
            end.exitCode = process->wait();
        } else if (const auto exitCode = process->waitFor(*limit)) {
            end.exitCode = *exitCode;
        } else {
            end.timedOut = true;
            process->terminate(std::chrono::seconds(10));
        }
        end.signal = process->endSignal();
    }
    return end;
}

Status StartDetached(const std::vector<std::string>& arguments, StartOptions options) {
    options.ownSession = true;
    Spawned spawned;
    if (Status started = spawn(arguments, options, spawned); !started.ok()) {
        return started;
    }
    // Nobody here waits for it: a thread of its own reaps it when it ends.
    // Without one (no thread to be had) the system reaps it once this program ends.
    try {
        std::thread([pid = spawned.pid] {
            int exitCode = 0;
            reap(pid, 0, exitCode);
        }).detach();
    } catch (const std::system_error&) {
    }
    return Status::Ok();
}

} // namespace kolvane
