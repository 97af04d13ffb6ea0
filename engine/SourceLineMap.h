// SPDX-License-Identifier: MIT
// Which line of the source file each row came from. Rows follow their lines
// one after the other except where lines were skipped or filtered out, so
// only those places are kept: a handful per file, not one number per row.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace kolvane {

class SourceLineMap {
public:
    // Rows are noted in order; `line` 0 means the line after the row before.
    void note(std::size_t row, long line);
    // The source line of a 0-based row: row + 1 when nothing was noted.
    long line(std::size_t row) const;
    // The row read from `line`, when one of the first `rows` rows was.
    std::optional<std::size_t> row(long line, std::size_t rows) const;
    // Notes the rows of `later` (a map of rows counted from 0, `rows` of
    // them) as the rows from `firstRow` on.
    void append(const SourceLineMap& later, std::size_t firstRow, std::size_t rows);
    void clear() { jumps_.clear(); }

private:
    struct Jump {
        std::size_t row;
        long line;
    };
    std::vector<Jump> jumps_;
};

} // namespace kolvane
