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
    starts_ = {};
    scannedTo_ = 0;
    longest_ = 0;
    complete_ = false;
}

void LineIndex::reserveFor(std::uint64_t totalBytes) {
    if (starts_.empty() || scannedTo_ == 0) {
        return;
    }
    const double perByte = static_cast<double>(starts_.size()) / static_cast<double>(scannedTo_);
    const auto expected =
        static_cast<std::uint64_t>(perByte * 1.05 * static_cast<double>(totalBytes));
    starts_.reserve(static_cast<std::size_t>(std::min(expected + 16, totalBytes + 1)));
}

void LineIndex::append(const std::vector<std::uint64_t>& startsAfterBreaks,
                       std::uint64_t scannedTo) {
    if (starts_.empty() && scannedTo > 0) {
        starts_.push_back(0);
    }
    for (const std::uint64_t start : startsAfterBreaks) {
        longest_ = std::max(longest_, start - starts_.back());
        starts_.push_back(start);
    }
    scannedTo_ = std::max(scannedTo_, scannedTo);
}

void LineIndex::scan(std::string_view bytes) {
    append(LineStartsAfterBreaks(bytes, scannedTo_), scannedTo_ + bytes.size());
}

void LineIndex::finish() {
    if (!starts_.empty() && starts_.back() == scannedTo_) {
        starts_.pop_back(); // nothing after the last line end
    }
    if (!starts_.empty()) {
        longest_ = std::max(longest_, scannedTo_ - starts_.back());
    }
    complete_ = true;
}

std::size_t LineIndex::lineCount() const {
    if (complete_ || starts_.empty()) {
        return starts_.size();
    }
    return starts_.size() - 1;
}

std::uint64_t LineIndex::lineEndWithBreak(std::size_t line) const {
    return line + 1 < starts_.size() ? starts_[line + 1] : scannedTo_;
}

} // namespace kolvane
