// SPDX-License-Identifier: MIT
#include "cli/ElapsedLine.h"

#include "cli/CodeListFormats.h"

#include <algorithm>

#if defined(_WIN32)
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace kolvane::cli {

bool IsTerminal(std::FILE* stream) {
    return isatty(fileno(stream)) != 0;
}

ElapsedLine::ElapsedLine(std::string caption, bool show, const Options& options)
    : caption_(std::move(caption)), options_(options) {
    if (show) {
        if (options_.firstShownAfter.count() == 0) {
            write(0);
        }
        thread_ = std::jthread([this](const std::stop_token& stop) { run(stop); });
    }
}

ElapsedLine::~ElapsedLine() {
    if (!thread_.joinable()) {
        return;
    }
    thread_.request_stop();
    thread_.join();
    if (shownWidth_ == 0) {
        return; // nothing was shown
    }
    // Blanks over what was shown, and the cursor back at the line's start, so
    // that the next line is written on a clean one.
    std::fprintf(options_.out, "\r%s\r", std::string(shownWidth_, ' ').c_str());
    std::fflush(options_.out);
}

void ElapsedLine::run(const std::stop_token& stop) {
    std::unique_lock lock(mutex_);
    auto next =
        start_ + (options_.firstShownAfter.count() == 0 ? options_.tick : options_.firstShownAfter);
    while (true) {
        // Until the next tick, or at once when asked to stop.
        static_cast<void>(woken_.wait_until(lock, stop, next, [] { return false; }));
        if (stop.stop_requested()) {
            return;
        }
        const auto elapsed = std::chrono::steady_clock::now() - start_;
        write(std::chrono::duration_cast<std::chrono::seconds>(elapsed).count());
        next += options_.tick;
    }
}

void ElapsedLine::write(long long seconds) {
    const std::string line = caption_ + ' ' + std::to_string(seconds) + " s";
    // A shorter line than before leaves nothing of the longer one behind.
    const std::size_t width = Utf8Length(line);
    const std::string rest(shownWidth_ > width ? shownWidth_ - width : 0, ' ');
    std::fprintf(options_.out, "\r%s%s", line.c_str(), rest.c_str());
    std::fflush(options_.out);
    shownWidth_ = std::max(shownWidth_, width);
}

} // namespace kolvane::cli
