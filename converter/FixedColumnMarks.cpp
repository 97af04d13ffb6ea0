// SPDX-License-Identifier: MIT
#include "converter/FixedColumnMarks.h"

#include <algorithm>

namespace kolvane::converter {

FixedColumnStarts ToggleColumnStart(FixedColumnStarts starts, int column) {
    if (column <= 0 || column > INT16_MAX) {
        return starts;
    }
    const auto start = static_cast<std::int16_t>(column);
    // The first start that is not in front of the column: the column itself
    // (taken away) or the start it goes in front of.
    const auto at = std::find_if(starts.begin(), starts.end(),
                                 [start](std::int16_t value) { return value >= start; });
    if (at != starts.end() && *at == start) {
        starts.erase(at);
    } else {
        starts.insert(at, start);
    }
    return starts;
}

std::vector<ColumnLook> MarkedLooks(const FixedColumnStarts& starts, int width) {
    std::vector<ColumnLook> looks(static_cast<std::size_t>(std::max(width, 0)), ColumnLook::Plain);
    if (looks.empty()) {
        return looks;
    }
    looks.front() = ColumnLook::Marked;
    for (const std::int16_t start : starts) {
        if (start >= 0 && start < width) {
            looks[static_cast<std::size_t>(start)] = ColumnLook::Marked;
        }
    }
    return looks;
}

std::vector<ColumnLook> PaintedLooks(const FixedColumnStarts& starts, int width) {
    const int columns = std::max(width, 0);
    std::vector<ColumnLook> looks(static_cast<std::size_t>(columns), ColumnLook::Plain);
    int from = 0;
    bool first = true;
    for (const std::int16_t start : starts) {
        const int to = std::clamp<int>(start, from, columns);
        std::fill(looks.begin() + from, looks.begin() + to,
                  first ? ColumnLook::FirstBand : ColumnLook::SecondBand);
        from = to;
        first = !first;
    }
    return looks;
}

} // namespace kolvane::converter
