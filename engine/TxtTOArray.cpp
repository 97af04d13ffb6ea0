// SPDX-License-Identifier: MIT
#include "engine/TxtTOArray.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kolvane {
namespace {

// A UTF-16 source is held whole while it is read.
constexpr std::size_t kMaxUtf16Source = std::size_t{256} << 20;

} // namespace

Status SourceLineReader::open(const SourceData& source) {
    std::string head;
    if (Status read = source.readHead(kEncodingSampleBytes, head); !read.ok()) {
        return read;
    }
    encoding_ = DetectSourceEncoding(head);
    atStart_ = true;
    if (encoding_ == SourceEncoding::Utf16) {
        std::string raw;
        if (Status read = source.readHead(kMaxUtf16Source, raw); !read.ok()) {
            return read;
        }
        if (raw.size() >= kMaxUtf16Source) {
            return {ErrorCode::BadFileFormat,
                    "the file is UTF-16 text larger than " + std::to_string(kMaxUtf16Source >> 20) +
                        " MiB: save it as UTF-8 or as ANSI text",
                    source.name()};
        }
        Utf16ToUtf8(raw, wholeText_);
        reader_.openText(wholeText_);
    } else if (Status opened = source.openIn(reader_); !opened.ok()) {
        return opened;
    }
    std::string_view skipped;
    for (int i = 0; i < setup_.TopLinesToSkip; ++i) {
        const auto result = nextInAnsi(skipped);
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

bool PassesLineFilter(const ImportSetup& setup, std::string_view line) {
    const std::string_view text = setup.LineFilterText;
    const bool starts = line.substr(0, text.size()) == text;
    switch (setup.LineFilterMode) {
    case 1:
        return !starts;
    case 2:
        return starts;
    default:
        return true;
    }
}

LineReader::Result SourceLineReader::nextInAnsi(std::string_view& line) {
    const auto result = reader_.next(line);
    unmapped_ = 0;
    if (result != LineReader::Result::Line || encoding_ == SourceEncoding::Ansi) {
        return result;
    }
    if (atStart_ && line.starts_with("\xEF\xBB\xBF")) {
        line.remove_prefix(3);
    }
    atStart_ = false;
    converted_.clear();
    unmapped_ = AppendUtf8AsAnsi(line, converted_);
    line = converted_;
    return result;
}

LineReader::Result SourceLineReader::next(std::string_view& line) {
    for (;;) {
        const auto result = nextInAnsi(line);
        if (result != LineReader::Result::Line || PassesLineFilter(setup_, line)) {
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
    const char* const text = line.data();
    const std::size_t size = line.size();
    std::size_t start = 0;
    const auto cut = [&](std::size_t at) {
        if (column >= cells.size()) {
            return false;
        }
        cells[column++] = std::string_view(text + start, at - start);
        start = at + 1;
        return true;
    };
    if (setup.Separator.size() == 1) {
        const char separator = setup.Separator.front();
        std::size_t i = 0;
#if defined(__SSE2__)
        // Sixteen bytes at a time where every x86-64 processor can.
        const __m128i wanted = _mm_set1_epi8(separator);
        for (; i + 16 <= size; i += 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
            auto hits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, wanted)));
            while (hits != 0) {
                if (!cut(i + static_cast<std::size_t>(std::countr_zero(hits)))) {
                    return false;
                }
                hits &= hits - 1;
            }
        }
#endif
        if constexpr (std::endian::native == std::endian::little) {
            // Eight bytes at a time: a byte equal to the separator becomes a zero
            // byte, which the mask finds exactly (no carries between bytes).
            constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
            const std::uint64_t spread =
                0x0101010101010101ULL * static_cast<unsigned char>(separator);
            for (; i + 8 <= size; i += 8) {
                std::uint64_t word;
                std::memcpy(&word, text + i, 8);
                const std::uint64_t x = word ^ spread;
                std::uint64_t zeros = ~(((x & kLow7) + kLow7) | x | kLow7);
                while (zeros != 0) {
                    if (!cut(i + static_cast<std::size_t>(std::countr_zero(zeros)) / 8)) {
                        return false;
                    }
                    zeros &= zeros - 1;
                }
            }
        }
        for (; i < size; ++i) {
            if (text[i] == separator && !cut(i)) {
                return false;
            }
        }
    }
    if (column >= cells.size()) {
        return false;
    }
    cells[column++] = std::string_view(text + start, size - start);
    std::fill(cells.begin() + static_cast<std::ptrdiff_t>(column), cells.end(), std::string_view{});
    return true;
}

} // namespace kolvane
