// SPDX-License-Identifier: MIT
// The lines of a fixed-width source that the fixed columns window shows: after
// the top lines, through the "Line starts with" filter, as many as the file
// holds once the top and bottom lines are left out, but at most
// kMaxShownLines, each cut to kMaxShownWidth characters (the marks of one line
// of a few thousand characters stay usable, and memory stays small however
// long the lines are). Runs as a job: no Qt, the user port shows the progress.
#pragma once

#include "engine/ImportSetup.h"
#include "engine/SourceData.h"
#include "engine/UserPort.h"

#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

namespace kolvane::converter {

inline constexpr long kMaxShownLines = 71;
inline constexpr std::size_t kMaxShownWidth = 4096;

struct ShownLines {
    Status status; // why the file could not be read (the lines read before stay)
    std::vector<std::string> lines;
};

// `settings` gives the top and bottom lines and the line filter.
ShownLines ReadShownLines(const ImportSetup& settings, const SourceData& source, UserPort& port,
                          const std::atomic<bool>& stop);

} // namespace kolvane::converter
