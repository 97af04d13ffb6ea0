// SPDX-License-Identifier: MIT
// Where the lines of a text start, built piece by piece while the text is read
// so that a view can show the lines found so far. It keeps the start of every
// sixteenth line only (a million lines cost half a megabyte); the lines between
// are found by reading forward from there (see TextLines). A line ends after LF
// (CR LF is an LF line end with the CR before it); a last line without a line
// end still counts, and an empty text has no lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kolvane {

// The offsets just after every LF in `bytes`, which begin at offset `base`.
std::vector<std::uint64_t> LineStartsAfterBreaks(std::string_view bytes, std::uint64_t base);

class LineIndex {
public:
    static constexpr std::size_t kLinesPerMark = 16;

    void clear();
    // Room for the lines of a text of `totalBytes`, judged from the lines read so far.
    void reserveFor(std::uint64_t totalBytes);

    // The line starts found in the next piece of the text (see
    // LineStartsAfterBreaks); `scannedTo` is the offset up to which it is read.
    void append(const std::vector<std::uint64_t>& startsAfterBreaks, std::uint64_t scannedTo);
    // Reads `bytes` (which begin at `scannedTo()`) and appends their line starts.
    void scan(std::string_view bytes);
    // The whole text is read: the line after the last line end exists only if
    // it holds bytes.
    void finish();

    bool complete() const { return complete_; }
    std::uint64_t scannedTo() const { return scannedTo_; }
    // The lines known to be whole: while the text is read, the last line found
    // may still grow and is left out.
    std::size_t lineCount() const;
    // The start of the line `line` rounds down to (a multiple of kLinesPerMark).
    std::uint64_t markedStart(std::size_t line) const { return marks_[line / kLinesPerMark]; }
    // Where the text read so far ends: the end of its last line.
    std::uint64_t textEnd() const { return scannedTo_; }
    // The longest line so far in bytes, line end included.
    std::uint64_t longestLine() const { return longest_; }
    std::size_t memoryBytes() const { return marks_.capacity() * sizeof(std::uint64_t); }

private:
    void addStart(std::uint64_t start);

    std::vector<std::uint64_t> marks_; // the start of lines 0, 16, 32, ...
    std::size_t starts_ = 0;           // line starts found (the last may be the text's end)
    std::uint64_t lastStart_ = 0;
    std::uint64_t scannedTo_ = 0;
    std::uint64_t longest_ = 0;
    bool complete_ = false;
};

} // namespace kolvane
