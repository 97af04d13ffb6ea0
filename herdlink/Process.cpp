// SPDX-License-Identifier: MIT
#include "herdlink/Process.h"

#include "engine/Messages.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace kolvane {
namespace {

std::string errnoText(int error) {
    return std::strerror(error);
}

class Argv {
public:
    explicit Argv(const std::vector<std::string>& words) : words_(words) {
        for (auto& word : words_) {
            pointers_.push_back(word.data());
        }
        pointers_.push_back(nullptr);
    }
    char* const* get() { return pointers_.data(); }

private:
    std::vector<std::string> words_;
    std::vector<char*> pointers_;
};

Status checkProgram(const std::vector<std::string>& words, std::string_view commandLine) {
    if (words.empty()) {
        return {ErrorCode::BadSetup, "the command line is empty", std::string(commandLine)};
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(words.front(), ec)) {
        return Status(ErrorCode::FileNotFound, "the program does not exist", words.front())
            .withMessage(msg::FileNotFound);
    }
    if (::access(words.front().c_str(), X_OK) != 0) {
        return {ErrorCode::FileUnreadable, "the program cannot be run: " + errnoText(errno),
                words.front()};
    }
    return Status::Ok();
}

// Starts a process; its standard input and output are the given descriptors
// (-1: inherited). Every other descriptor of this program is close-on-exec.
Status spawn(const std::vector<std::string>& words, int input, int output, pid_t& pid,
             bool newSession = false) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (input >= 0) {
        posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
    }
    if (output >= 0) {
        posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    }
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    if (newSession) {
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    }
    Argv argv(words);
    const int error =
        posix_spawn(&pid, words.front().c_str(), &actions, &attributes, argv.get(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        return {ErrorCode::FileUnreadable, "the program cannot be started: " + errnoText(error),
                words.front()};
    }
    return Status::Ok();
}

int waitFor(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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

ProcessEnd RunAndWait(std::string_view commandLine) {
    const auto words = SplitCommandLine(commandLine);
    ProcessEnd end;
    end.status = checkProgram(words, commandLine);
    if (!end.status.ok()) {
        return end;
    }
    // What the program prints goes to standard error: standard output belongs
    // to this program's own results.
    pid_t pid = 0;
    end.status = spawn(words, -1, STDERR_FILENO, pid);
    if (end.status.ok()) {
        end.exitCode = waitFor(pid);
    }
    return end;
}

Status StartDetached(std::string_view commandLine) {
    const auto words = SplitCommandLine(commandLine);
    if (Status checked = checkProgram(words, commandLine); !checked.ok()) {
        return checked;
    }
    // The program runs in a session of its own; a short-lived middle process
    // is waited for at once, so no zombie is left behind.
    const std::vector<std::string> shell{"/bin/sh", "-c", "\"$0\" \"$@\" >/dev/null 2>&1 &"};
    std::vector<std::string> launcher = shell;
    launcher.insert(launcher.end(), words.begin(), words.end());
    pid_t pid = 0;
    if (Status started = spawn(launcher, -1, -1, pid, true); !started.ok()) {
        return started;
    }
    waitFor(pid);
    return Status::Ok();
}

ChildProcess::~ChildProcess() {
    end();
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)), input_(std::exchange(other.input_, -1)),
      output_(std::exchange(other.output_, -1)) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        end();
        pid_ = std::exchange(other.pid_, -1);
        input_ = std::exchange(other.input_, -1);
        output_ = std::exchange(other.output_, -1);
    }
    return *this;
}

Status ChildProcess::start(const std::vector<std::string>& commandAndArguments) {
    end();
    if (Status checked = checkProgram(commandAndArguments, ""); !checked.ok()) {
        return checked;
    }
    int toChild[2];
    int fromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0) {
        return {ErrorCode::FileUnreadable, "cannot create a pipe: " + errnoText(errno)};
    }
    if (::pipe2(fromChild, O_CLOEXEC) != 0) {
        ::close(toChild[0]);
        ::close(toChild[1]);
        return {ErrorCode::FileUnreadable, "cannot create a pipe: " + errnoText(errno)};
    }
    pid_t pid = 0;
    const Status started = spawn(commandAndArguments, toChild[0], fromChild[1], pid);
    ::close(toChild[0]);
    ::close(fromChild[1]);
    if (!started.ok()) {
        ::close(toChild[1]);
        ::close(fromChild[0]);
        return started;
    }
    pid_ = pid;
    input_ = toChild[1];
    output_ = fromChild[0];
    return Status::Ok();
}

Status ChildProcess::writeAll(std::string_view bytes) {
    // A child that has ended must not kill this program with SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    while (!bytes.empty()) {
        const ssize_t written = ::write(input_, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {ErrorCode::WriteFailed,
                    "the server does not take the call: " + errnoText(errno)};
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return Status::Ok();
}

Status ChildProcess::readExactly(std::size_t count, std::string& bytes,
                                 std::chrono::steady_clock::time_point deadline) {
    bytes.clear();
    char block[65536];
    while (bytes.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return {ErrorCode::Cancelled, "the server did not answer in time"};
        }
        pollfd ready{output_, POLLIN, 0};
        const int polled =
            ::poll(&ready, 1, static_cast<int>(std::min<long long>(left.count(), 1000)));
        if (polled < 0 && errno != EINTR) {
            return {ErrorCode::FileUnreadable,
                    "waiting for the server failed: " + errnoText(errno)};
        }
        if (polled <= 0) {
            continue;
        }
        const std::size_t wanted = std::min(sizeof block, count - bytes.size());
        const ssize_t got = ::read(output_, block, wanted);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return {ErrorCode::FileUnreadable, "the server ended without an answer"};
        }
        bytes.append(block, static_cast<std::size_t>(got));
    }
    return Status::Ok();
}

void ChildProcess::end() {
    if (input_ >= 0) {
        ::close(std::exchange(input_, -1));
    }
    if (pid_ > 0) {
        // Closing its input asks it to end; give it a moment, then end it.
        for (int i = 0; i < 50; ++i) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            waitFor(pid_);
            pid_ = -1;
        }
    }
    if (output_ >= 0) {
        ::close(std::exchange(output_, -1));
    }
}

} // namespace kolvane
