// SPDX-License-Identifier: MIT
#include "gui/TextLines.h"

#include "gui/QtText.h"

#include <algorithm>
#include <cstdint>

namespace kolvane {
namespace {

constexpr std::size_t kTabStop = 8;

void stripLineEnd(std::string& bytes) {
    if (!bytes.empty() && bytes.back() == '\n') {
        bytes.pop_back();
        if (!bytes.empty() && bytes.back() == '\r') {
            bytes.pop_back();
        }
    }
}

// CR LF line ends become LF; a CR inside a line stays.
void toLineFeeds(std::string& bytes) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' || i + 1 == bytes.size() || bytes[i + 1] != '\n') {
            bytes[kept++] = bytes[i];
        }
    }
    bytes.resize(kept);
}

std::string expandTabs(std::string_view bytes) {
    std::string expanded;
    expanded.reserve(bytes.size());
    for (const char c : bytes) {
        if (c == '\t') {
            expanded.append(kTabStop - expanded.size() % kTabStop, ' ');
        } else {
            expanded += c;
        }
    }
    return expanded;
}

// Control characters would draw nothing, or boxes of another width.
QString printable(QString text) {
    for (QChar& c : text) {
        const char16_t code = c.unicode();
        if (code == u'\t') {
            c = QLatin1Char(' ');
        } else if (code < 0x20 || (code >= 0x7F && code < 0xA0)) {
            c = QChar(0x00B7);
        }
    }
    return text;
}

} // namespace

void TextLines::reset(std::unique_ptr<TextBytes> bytes) {
    bytes_ = std::move(bytes);
    index_.clear();
    cachedMark_ = SIZE_MAX;
}

const std::vector<std::uint64_t>& TextLines::startsFrom(std::size_t markedLine) const {
    if (cachedMark_ == markedLine && cachedStarts_.size() > LineIndex::kLinesPerMark) {
        return cachedStarts_;
    }
    cachedStarts_.assign(1, index_.markedStart(markedLine));
    std::uint64_t at = cachedStarts_.front();
    constexpr std::size_t kChunk = 4096;
    while (cachedStarts_.size() <= LineIndex::kLinesPerMark && at < index_.textEnd()) {
        const auto count =
            static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, index_.textEnd() - at));
        const std::string chunk = bytes_->read(at, count);
        if (chunk.empty()) {
            break;
        }
        for (const std::uint64_t start : LineStartsAfterBreaks(chunk, at)) {
            cachedStarts_.push_back(start);
            if (cachedStarts_.size() > LineIndex::kLinesPerMark) {
                break;
            }
        }
        at += chunk.size();
    }
    // A cache only when the lines up to the next mark were all found.
    cachedMark_ = cachedStarts_.size() > LineIndex::kLinesPerMark ? markedLine : SIZE_MAX;
    return cachedStarts_;
}

std::uint64_t TextLines::lineStart(std::size_t line) const {
    const std::size_t mark = line - line % LineIndex::kLinesPerMark;
    const auto& starts = startsFrom(mark);
    const std::size_t within = line - mark;
    return within < starts.size() ? starts[within] : index_.textEnd();
}

std::uint64_t TextLines::lineEndWithBreak(std::size_t line) const {
    const std::size_t mark = line - line % LineIndex::kLinesPerMark;
    const auto& starts = startsFrom(mark);
    const std::size_t next = line - mark + 1;
    return next < starts.size() ? std::min(starts[next], index_.textEnd()) : index_.textEnd();
}

std::string TextLines::lineBytes(std::size_t line, std::uint64_t from, std::size_t maxBytes) const {
    const std::uint64_t start = lineStart(line) + from;
    const std::uint64_t end = lineEndWithBreak(line);
    if (start >= end) {
        return {};
    }
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(end - start, maxBytes));
    std::string bytes = bytes_->read(start, wanted);
    if (start + bytes.size() == end) {
        stripLineEnd(bytes);
    }
    return bytes;
}

QString TextLines::lineText(std::size_t line) const {
    return FromAnsi(lineBytes(line, 0, SIZE_MAX));
}

// One read of the lines' bytes and one conversion: a selection of a million
// lines is copied in about a second, not line by line.
QString TextLines::linesText(std::size_t first, std::size_t last) const {
    const std::uint64_t start = lineStart(first);
    const std::uint64_t end = lineEndWithBreak(last);
    std::string bytes = bytes_->read(start, static_cast<std::size_t>(end - start));
    if (start + bytes.size() == end) {
        stripLineEnd(bytes);
    }
    toLineFeeds(bytes);
    return FromAnsi(bytes);
}

QString TextLines::shownPart(std::size_t line, std::uint64_t fromColumn, std::size_t columns,
                             std::uint64_t& widest) const {
    const std::uint64_t length = lineEndWithBreak(line) - lineStart(line);
    if (length > kTabExpansionLimit) {
        return printable(FromAnsi(lineBytes(line, fromColumn, columns)));
    }
    const std::string expanded = expandTabs(lineBytes(line, 0, kTabExpansionLimit));
    widest = std::max<std::uint64_t>(widest, expanded.size());
    if (fromColumn >= expanded.size()) {
        return {};
    }
    return printable(
        FromAnsi(std::string_view(expanded).substr(static_cast<std::size_t>(fromColumn), columns)));
}

} // namespace kolvane
