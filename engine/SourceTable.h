// SPDX-License-Identifier: MIT
// The source file cut into cells: one row per converted line, every row as wide
// as the table. Cells are kept exactly as cut, in one text buffer with per-cell
// end offsets, so a million-row file costs little more than its own size.
#pragma once

#include "engine/SourceLineMap.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kolvane {

class SourceTable {
public:
    SourceTable() = default;
    explicit SourceTable(int columnCount) { reset(columnCount); }

    // Empties the table and gives it `columnCount` columns.
    void reset(int columnCount);

    int columnCount() const { return columnCount_; }
    std::size_t rowCount() const { return rowStarts_.empty() ? 0 : rowStarts_.size() - 1; }
    bool empty() const { return rowCount() == 0; }

    // Row and column are 0-based (row 0, column 0 is the first cell).
    std::string_view cell(std::size_t row, int column) const;
    // Every cell of a row at once into `cells` (columnCount() of them).
    void row(std::size_t row, std::span<std::string_view> cells) const;

    // Appends a row; missing cells are empty, cells beyond the column count are dropped.
    // `sourceLine` is the row's line in the source file (0: the line after the row before).
    void appendRow(std::span<const std::string_view> cells, long sourceLine = 0);

    // The source file's line of a row (0-based); row + 1 when no lines were given.
    long sourceLine(std::size_t row) const { return lines_.line(row); }
    const SourceLineMap& sourceLines() const { return lines_; }

    // Bytes held by the table, for the memory budget of large files.
    std::size_t memoryBytes() const;

    void reserve(std::size_t rows, std::size_t textBytes);

    // Equal cells make equal tables, whichever lines they came from.
    friend bool operator==(const SourceTable& a, const SourceTable& b) {
        return a.columnCount_ == b.columnCount_ && a.text_ == b.text_ &&
               a.rowStarts_ == b.rowStarts_ && a.cellEnds_ == b.cellEnds_ &&
               a.endBytes_ == b.endBytes_;
    }

private:
    int columnCount_ = 0;
    std::string text_;
    // End offset of each cell relative to its row's start, in as few bytes as
    // the longest row so far needs: one while every row is shorter than 256
    // bytes (a test-day export: a tenth of the table), two below 64 KiB, four
    // beyond; a longer row widens what was kept before it.
    std::uint32_t cellEnd(std::size_t index) const;
    void keepEnd(std::uint32_t end);
    void widenTo(int bytes);

    std::vector<std::uint64_t> rowStarts_; // rowCount + 1 offsets into text_
    std::vector<std::uint8_t> cellEnds_;   // endBytes_ bytes per cell
    int endBytes_ = 1;
    SourceLineMap lines_;
};

} // namespace kolvane
