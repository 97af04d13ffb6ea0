// SPDX-License-Identifier: MIT
#include "engine/SourceLineMap.h"

#include <algorithm>

namespace kolvane {

void SourceLineMap::note(std::size_t row, long line) {
    // Rows come in order, so the last jump tells where this row would lie.
    const long following = jumps_.empty()
                               ? static_cast<long>(row) + 1
                               : jumps_.back().line + static_cast<long>(row - jumps_.back().row);
    if (line > 0 && line != following) {
        jumps_.push_back({row, line});
    }
}

void SourceLineMap::append(const SourceLineMap& later, std::size_t firstRow, std::size_t rows) {
    if (rows == 0) {
        return;
    }
    note(firstRow, later.line(0));
    for (const Jump& jump : later.jumps_) {
        if (jump.row < rows) {
            note(firstRow + jump.row, jump.line);
        }
    }
}

long SourceLineMap::line(std::size_t row) const {
    auto jump = std::upper_bound(jumps_.begin(), jumps_.end(), row,
                                 [](std::size_t r, const Jump& j) { return r < j.row; });
    if (jump == jumps_.begin()) {
        return static_cast<long>(row) + 1;
    }
    --jump;
    return jump->line + static_cast<long>(row - jump->row);
}

std::optional<std::size_t> SourceLineMap::row(long line, std::size_t rows) const {
    // Lines grow with the rows: search the rows by their lines.
    std::size_t low = 0;
    std::size_t high = rows;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (this->line(middle) < line) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    if (low < rows && this->line(low) == line) {
        return low;
    }
    return std::nullopt;
}

} // namespace kolvane
