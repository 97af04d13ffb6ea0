// SPDX-License-Identifier: MIT
#include "gui/LineIndex.h"

#include <algorithm>
#include <cstring>

namespace kolvane {

std::vector<std::uint64_t> LineStartsAfterBreaks(std::string_view bytes, std::uint64_t base) {
    std::vector<std::uint64_t> starts;
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    for (const char* at = begin; at < end;) {
        const auto* lf = static_cast<const char*>(std::memchr(at, '\n', end - at));
        if (lf == nullptr) {
            break;
        }
        at = lf + 1;
        starts.push_back(base + static_cast<std::uint64_t>(at - begin));
    }
    return starts;
}

void LineIndex::clear() {
    *this = LineIndex{};
}

void LineIndex::reserveFor(std::uint64_t totalBytes) {
    if (starts_ == 0 || scannedTo_ == 0) {
        return;
    }
    const double perByte = static_cast<double>(starts_) / static_cast<double>(scannedTo_);
    const auto expected =
        static_cast<std::uint64_t>(perByte * 1.05 * static_cast<double>(totalBytes));
    marks_.reserve(
        static_cast<std::size_t>(std::min(expected + 16, totalBytes + 1) / kLinesPerMark + 1));
}

void LineIndex::addStart(std::uint64_t start) {
    if (starts_ % kLinesPerMark == 0) {
        marks_.push_back(start);
    }
    ++starts_;
    lastStart_ = start;
}

void LineIndex::append(const std::vector<std::uint64_t>& startsAfterBreaks,
                       std::uint64_t scannedTo) {
    if (starts_ == 0 && scannedTo > 0) {
        addStart(0);
    }
    for (const std::uint64_t start : startsAfterBreaks) {
        longest_ = std::max(longest_, start - lastStart_);
        addStart(start);
    }
    scannedTo_ = std::max(scannedTo_, scannedTo);
}

void LineIndex::scan(std::string_view bytes) {
    append(LineStartsAfterBreaks(bytes, scannedTo_), scannedTo_ + bytes.size());
}

void LineIndex::finish() {
    if (starts_ > 0 && lastStart_ == scannedTo_) {
        // Nothing after the last line end: that start begins no line.
        if ((starts_ - 1) % kLinesPerMark == 0) {
            marks_.pop_back();
        }
        --starts_;
    } else if (starts_ > 0) {
        longest_ = std::max(longest_, scannedTo_ - lastStart_);
    }
    complete_ = true;
}

std::size_t LineIndex::lineCount() const {
    if (complete_ || starts_ == 0) {
        return starts_;
    }
    return starts_ - 1;
}

} // namespace kolvane
