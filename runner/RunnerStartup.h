// SPDX-License-Identifier: MIT
// What Brennick answers before it opens a window: its help and version, and
// that it cannot run without a desktop (Qt would abort instead).
#pragma once

#include <optional>
#include <string>

namespace kolvane::runner {

struct EarlyAnswerText {
    std::string text; // whole lines
    int exitCode = 0; // 0: print on standard output, else on standard error
};

// The usage of the command line.
std::string RunnerUsage(const char* version);

// The answer for "--help", "-h" and "--version", or for a start where no
// desktop can be reached; nothing when the windows can open.
std::optional<EarlyAnswerText> EarlyAnswer(int argc, const char* const* argv, const char* version);

// Whether the windows have somewhere to appear: a platform chosen by the
// environment, or the display of X11 or Wayland.
bool DesktopReachable();

} // namespace kolvane::runner
