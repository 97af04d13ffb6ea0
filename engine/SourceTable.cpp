// SPDX-License-Identifier: MIT
#include "engine/SourceTable.h"

#include "engine/HugePages.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace kolvane {

void SourceTable::reset(int columnCount) {
    if (columnCount < 0) {
        throw std::invalid_argument("SourceTable: negative column count");
    }
    columnCount_ = columnCount;
    text_.clear();
    rowStarts_.assign(1, 0);
    cellEnds_.clear();
    endBytes_ = 1;
    lines_.clear();
}

std::uint32_t SourceTable::cellEnd(std::size_t index) const {
    const std::uint8_t* at = cellEnds_.data() + index * static_cast<std::size_t>(endBytes_);
    switch (endBytes_) {
    case 1:
        return at[0];
    case 2: {
        std::uint16_t end = 0;
        std::memcpy(&end, at, sizeof end);
        return end;
    }
    default: {
        std::uint32_t end = 0;
        std::memcpy(&end, at, sizeof end);
        return end;
    }
    }
}

void SourceTable::keepEnd(std::uint32_t end) {
    const std::size_t size = cellEnds_.size();
    cellEnds_.resize(size + static_cast<std::size_t>(endBytes_));
    if (endBytes_ == 1) {
        cellEnds_[size] = static_cast<std::uint8_t>(end);
    } else if (endBytes_ == 2) {
        const auto narrow = static_cast<std::uint16_t>(end);
        std::memcpy(cellEnds_.data() + size, &narrow, sizeof narrow);
    } else {
        std::memcpy(cellEnds_.data() + size, &end, sizeof end);
    }
}

void SourceTable::widenTo(int bytes) {
    const std::size_t cells = cellEnds_.size() / static_cast<std::size_t>(endBytes_);
    std::vector<std::uint32_t> ends(cells);
    for (std::size_t i = 0; i < cells; ++i) {
        ends[i] = cellEnd(i);
    }
    cellEnds_.clear();
    cellEnds_.reserve(cellEnds_.capacity() / static_cast<std::size_t>(endBytes_) *
                      static_cast<std::size_t>(bytes));
    endBytes_ = bytes;
    for (const std::uint32_t end : ends) {
        keepEnd(end);
    }
}

std::string_view SourceTable::cell(std::size_t row, int column) const {
    if (row >= rowCount() || column < 0 || column >= columnCount_) {
        throw std::out_of_range("SourceTable: cell outside the table");
    }
    const std::size_t index = row * static_cast<std::size_t>(columnCount_) + column;
    const std::uint64_t rowStart = rowStarts_[row];
    const std::uint32_t begin = column == 0 ? 0 : cellEnd(index - 1);
    return std::string_view(text_).substr(rowStart + begin, cellEnd(index) - begin);
}

void SourceTable::row(std::size_t row, std::span<std::string_view> cells) const {
    if (row >= rowCount() || cells.size() != static_cast<std::size_t>(columnCount_)) {
        throw std::out_of_range("SourceTable: row outside the table");
    }
    const char* const text = text_.data() + rowStarts_[row];
    const std::size_t first = row * static_cast<std::size_t>(columnCount_);
    std::uint32_t begin = 0;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const std::uint32_t end = endBytes_ == 1 ? cellEnds_[first + c] : cellEnd(first + c);
        cells[c] = std::string_view(text + begin, end - begin);
        begin = end;
    }
}

void SourceTable::appendRow(std::span<const std::string_view> cells, long sourceLine) {
    if (rowStarts_.empty()) {
        rowStarts_.push_back(0);
    }
    lines_.note(rowCount(), sourceLine);
    const std::uint64_t rowStart = text_.size();
    const std::size_t shown = std::min(cells.size(), static_cast<std::size_t>(columnCount_));
    std::uint64_t rowLength = 0;
    for (std::size_t c = 0; c < shown; ++c) {
        rowLength += cells[c].size();
    }
    if (rowLength > UINT32_MAX) {
        throw std::length_error("SourceTable: row longer than 4 GiB");
    }
    const int needed = rowLength <= UINT8_MAX ? 1 : rowLength <= UINT16_MAX ? 2 : 4;
    if (needed > endBytes_) {
        widenTo(needed);
    }
    // Sized once per row and filled in place: this runs for every row of a large file.
    const std::size_t textAt = text_.size();
    text_.resize(textAt + static_cast<std::size_t>(rowLength));
    std::uint64_t end = 0;
    if (endBytes_ == 1) {
        const std::size_t endsAt = cellEnds_.size();
        cellEnds_.resize(endsAt + static_cast<std::size_t>(columnCount_));
        for (int c = 0; c < columnCount_; ++c) {
            if (static_cast<std::size_t>(c) < shown && !cells[c].empty()) {
                std::memcpy(text_.data() + textAt + end, cells[c].data(), cells[c].size());
                end += cells[c].size();
            }
            cellEnds_[endsAt + static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(end);
        }
    } else {
        for (int c = 0; c < columnCount_; ++c) {
            if (static_cast<std::size_t>(c) < shown && !cells[c].empty()) {
                std::memcpy(text_.data() + textAt + end, cells[c].data(), cells[c].size());
                end += cells[c].size();
            }
            keepEnd(static_cast<std::uint32_t>(end));
        }
    }
    rowStarts_.push_back(rowStart + rowLength);
}

std::size_t SourceTable::memoryBytes() const {
    return text_.capacity() + rowStarts_.capacity() * sizeof(std::uint64_t) + cellEnds_.capacity();
}

void SourceTable::reserve(std::size_t rows, std::size_t textBytes) {
    text_.reserve(textBytes);
    rowStarts_.reserve(rows + 1);
    cellEnds_.reserve(rows * static_cast<std::size_t>(columnCount_) *
                      static_cast<std::size_t>(endBytes_));
    AdviseHugePages(text_.data(), text_.capacity());
    AdviseHugePages(rowStarts_.data(), rowStarts_.capacity() * sizeof(std::uint64_t));
    AdviseHugePages(cellEnds_.data(), cellEnds_.capacity());
}

} // namespace kolvane
