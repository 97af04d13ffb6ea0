// SPDX-License-Identifier: MIT
#include "engine/SourceTable.h"

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
}

std::string_view SourceTable::cell(std::size_t row, int column) const {
    if (row >= rowCount() || column < 0 || column >= columnCount_) {
        throw std::out_of_range("SourceTable: cell outside the table");
    }
    const std::size_t index = row * static_cast<std::size_t>(columnCount_) + column;
    const std::uint64_t rowStart = rowStarts_[row];
    const std::uint32_t begin = column == 0 ? 0 : cellEnds_[index - 1];
    return std::string_view(text_).substr(rowStart + begin, cellEnds_[index] - begin);
}

void SourceTable::appendRow(std::span<const std::string_view> cells) {
    if (rowStarts_.empty()) {
        rowStarts_.push_back(0);
    }
    const std::uint64_t rowStart = text_.size();
    std::uint64_t rowLength = 0;
    for (int c = 0; c < columnCount_; ++c) {
        if (static_cast<std::size_t>(c) < cells.size()) {
            text_.append(cells[c]);
            rowLength += cells[c].size();
        }
        if (rowLength > UINT32_MAX) {
            throw std::length_error("SourceTable: row longer than 4 GiB");
        }
        cellEnds_.push_back(static_cast<std::uint32_t>(rowLength));
    }
    rowStarts_.push_back(rowStart + rowLength);
}

std::size_t SourceTable::memoryBytes() const {
    return text_.capacity() + rowStarts_.capacity() * sizeof(std::uint64_t) +
           cellEnds_.capacity() * sizeof(std::uint32_t);
}

void SourceTable::reserve(std::size_t rows, std::size_t textBytes) {
    text_.reserve(textBytes);
    rowStarts_.reserve(rows + 1);
    cellEnds_.reserve(rows * static_cast<std::size_t>(columnCount_));
}

} // namespace kolvane
