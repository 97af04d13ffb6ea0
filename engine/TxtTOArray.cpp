// SPDX-License-Identifier: MIT
#include "engine/TxtTOArray.h"

#include <algorithm>
#include <cstring>

namespace kolvane {

Status SourceLineReader::open(const SourceData& source) {
    if (Status opened = source.openIn(reader_); !opened.ok()) {
        return opened;
    }
    std::string_view skipped;
    for (int i = 0; i < setup_.TopLinesToSkip; ++i) {
        const auto result = reader_.next(skipped);
        if (result == LineReader::Result::Error) {
            return reader_.error();
        }
        if (result == LineReader::Result::End) {
            return {ErrorCode::TooFewLines,
                    "the file has only " + std::to_string(i) + " lines, fewer than the " +
                        std::to_string(setup_.TopLinesToSkip) + " lines to skip at the top",
                    source.name()};
        }
    }
    return Status::Ok();
}

bool SourceLineReader::passesFilter(std::string_view line) const {
    const std::string_view text = setup_.LineFilterText;
    const bool starts = line.substr(0, text.size()) == text;
    switch (setup_.LineFilterMode) {
    case 1:
        return !starts;
    case 2:
        return starts;
    default:
        return true;
    }
}

LineReader::Result SourceLineReader::next(std::string_view& line) {
    for (;;) {
        const auto result = reader_.next(line);
        if (result != LineReader::Result::Line || passesFilter(line)) {
            return result;
        }
    }
}

int CountColumns(const ImportSetup& setup, std::string_view line) {
    int count = line.empty() ? 0 : 1;
    if (setup.Separator.size() == 1) {
        count += static_cast<int>(std::count(line.begin(), line.end(), setup.Separator.front()));
    }
    return count + (setup.AskSendDate ? 1 : 0);
}

bool SplitLineIntoRow(const ImportSetup& setup, std::string_view line,
                      std::span<std::string_view> cells) {
    std::size_t column = 0;
    if (setup.AskSendDate && column < cells.size()) {
        cells[column++] = setup.SendDate;
    }
    // A separator of more than one character matches no single character, so the
    // whole line is one field.
    const bool splits = setup.Separator.size() == 1;
    const char separator = splits ? setup.Separator.front() : '\0';
    std::size_t start = 0;
    for (;;) {
        const void* hit = splits && start < line.size()
                              ? std::memchr(line.data() + start, separator, line.size() - start)
                              : nullptr;
        const std::size_t end =
            hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - line.data())
                : line.size();
        if (column >= cells.size()) {
            return false;
        }
        cells[column++] = line.substr(start, end - start);
        if (hit == nullptr) {
            break;
        }
        start = end + 1;
    }
    std::fill(cells.begin() + static_cast<std::ptrdiff_t>(column), cells.end(), std::string_view{});
    return true;
}

} // namespace kolvane
