// SPDX-License-Identifier: MIT
// A line on a terminal while something runs that shows no progress of its
// own (the herd software's importer): a caption and the seconds elapsed,
// rewritten in place every second and cleared when the object goes. It first
// shows after a second: a quick run shows nothing, and the importer's own
// lines on the same terminal do not meet it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>

namespace kolvane::cli {

// Whether `stream` is a terminal: a log file or a pipe gets no such line.
bool IsTerminal(std::FILE* stream);

class ElapsedLine {
public:
    struct Options {
        std::FILE* out = stderr;
        std::chrono::milliseconds tick{1000};
        std::chrono::milliseconds firstShownAfter{1000}; // 0: at once
    };
    // `caption` is UTF-8; nothing is shown when `show` is false.
    ElapsedLine(std::string caption, bool show, const Options& options);
    ~ElapsedLine();
    ElapsedLine(const ElapsedLine&) = delete;
    ElapsedLine& operator=(const ElapsedLine&) = delete;

private:
    void run(const std::stop_token& stop);
    void write(long long seconds);

    const std::string caption_;
    const Options options_;
    const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::size_t shownWidth_ = 0; // characters on the line now
    std::mutex mutex_;
    std::condition_variable_any woken_;
    std::jthread thread_; // last: it starts once everything above is there
};

} // namespace kolvane::cli
