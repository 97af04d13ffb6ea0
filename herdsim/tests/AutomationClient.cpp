// SPDX-License-Identifier: MIT
// Starts a server process with pipes and exchanges frames with it.
#include "herdsim/tests/AutomationClient.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace herdsim::testing {
namespace {

std::vector<std::string> environmentWith(const std::map<std::string, std::string>& overrides) {
    std::map<std::string, std::string> merged;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const auto equals = text.find('=');
        merged[text.substr(0, equals)] = equals == std::string::npos ? "" : text.substr(equals + 1);
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

std::vector<char*> pointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (auto& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

AutomationClient::AutomationClient(const std::string& program,
                                   const std::map<std::string, std::string>& environment) {
    // A server that dies must fail the test through a failed write, not end it.
    std::signal(SIGPIPE, SIG_IGN);
    int input[2];
    int output[2];
    if (pipe2(input, O_CLOEXEC) != 0) {
        return;
    }
    if (pipe2(output, O_CLOEXEC) != 0) {
        close(input[0]);
        close(input[1]);
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    std::vector<std::string> argv{program};
    std::vector<std::string> envp = environmentWith(environment);
    auto argvPointers = pointersTo(argv);
    auto envPointers = pointersTo(envp);
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argvPointers.data(),
                    envPointers.data()) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(input[0]);
    close(output[1]);
    toServer_ = input[1];
    fromServer_ = output[0];
}

AutomationClient::~AutomationClient() {
    if (toServer_ >= 0) {
        close(toServer_);
    }
    if (fromServer_ >= 0) {
        close(fromServer_);
    }
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

std::optional<kolvane::automation::Answer>
AutomationClient::call(const std::string& method, const std::vector<std::string>& arguments) {
    namespace automation = kolvane::automation;
    std::string payload;
    if (!automation::WriteFrame(toServer_, automation::EncodeCall({method, arguments})) ||
        automation::ReadFrame(fromServer_, payload) != automation::FrameRead::Frame) {
        return std::nullopt;
    }
    return automation::DecodeAnswer(payload);
}

int AutomationClient::finish() {
    close(toServer_);
    toServer_ = -1;
    char buffer[4096];
    for (ssize_t got; (got = read(fromServer_, buffer, sizeof buffer)) != 0;) {
        if (got < 0 && errno != EINTR) {
            break;
        }
        if (got > 0) {
            trailing_.append(buffer, static_cast<std::size_t>(got));
        }
    }
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace herdsim::testing
