// SPDX-License-Identifier: MIT
// The child that this program talks to through pipes, on top of Process.
#include "herdlink/Process.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <unistd.h>

namespace kolvane {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

enum class ReadResult { Got, Ended, TimedOut, Failed };

// Waits until `deadline` for bytes on `fd` and appends up to `wanted` of them.
ReadResult readSome(int fd, std::size_t wanted, std::string& bytes, Clock::time_point deadline) {
    char block[65536];
    for (;;) {
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return ReadResult::TimedOut;
        }
        pollfd ready{fd, POLLIN, 0};
        const int polled =
            ::poll(&ready, 1, static_cast<int>(std::min<long long>(left.count(), 1000)));
        if (polled < 0 && errno != EINTR) {
            return ReadResult::Failed;
        }
        if (polled <= 0) {
            continue;
        }
        const ssize_t got = ::read(fd, block, std::min(sizeof block, wanted));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return ReadResult::Ended;
        }
        bytes.append(block, static_cast<std::size_t>(got));
        return ReadResult::Got;
    }
}

} // namespace

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        end();
        process_ = std::move(other.process_);
        other.process_.reset();
    }
    return *this;
}

Status ChildProcess::start(const std::vector<std::string>& arguments, StartOptions options) {
    end();
    // A child that has ended must not kill this program with SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    options.input = ProcessStream::Pipe();
    options.output = ProcessStream::Pipe();
    Status status;
    process_ = Process::Start(arguments, options, status);
    return status;
}

Status ChildProcess::writeAll(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(input(), bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {ErrorCode::WriteFailed,
                    "the server does not take the call: " + std::string(std::strerror(errno))};
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return Status::Ok();
}

Status ChildProcess::readExactly(std::size_t count, std::string& bytes,
                                 Clock::time_point deadline) {
    bytes.clear();
    while (bytes.size() < count) {
        switch (readSome(output(), count - bytes.size(), bytes, deadline)) {
        case ReadResult::Got:
            break;
        case ReadResult::TimedOut:
            return {ErrorCode::Cancelled, "the server did not answer in time"};
        case ReadResult::Failed:
            return {ErrorCode::FileUnreadable,
                    "waiting for the server failed: " + std::string(std::strerror(errno))};
        case ReadResult::Ended:
            return {ErrorCode::FileUnreadable, "the server ended without an answer"};
        }
    }
    return Status::Ok();
}

ProcessEnd ChildProcess::finish(std::string& rest, Clock::time_point deadline) {
    ProcessEnd end;
    rest.clear();
    if (!running()) {
        end.status = {ErrorCode::BadSetup, "the program is not running"};
        return end;
    }
    process_->closeInput();
    while (readSome(output(), 65536, rest, deadline) == ReadResult::Got) {
    }
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
    const std::optional<int> exitCode = process_->waitFor(std::max(left, milliseconds(0)));
    if (!exitCode) {
        process_->kill();
        end.status = {ErrorCode::Cancelled, "the program did not end in time"};
        return end;
    }
    end.exitCode = *exitCode;
    return end;
}

void ChildProcess::end() {
    if (!process_) {
        return;
    }
    // Closing its input asks it to end; give it a moment, then end it.
    process_->closeInput();
    if (process_->running() && !process_->waitFor(milliseconds(1000))) {
        process_->kill();
    }
    process_.reset();
}

} // namespace kolvane
