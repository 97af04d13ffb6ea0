// SPDX-License-Identifier: MIT
// Where the lines of a text start, built piece by piece while the text is read
// so that a view can show the lines found so far. One 8-byte offset per line:
// a million lines cost 8 MB whatever their length. A line ends after LF (CR LF
// is an LF line end with the CR before it); a last line without a line end
// still counts, and an empty text has no lines.
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
    std::uint64_t lineStart(std::size_t line) const { return starts_[line]; }
    // Where the next line starts (or the text ends), line end included.
    std::uint64_t lineEndWithBreak(std::size_t line) const;
    // The longest line so far in bytes, line end included.
    std::uint64_t longestLine() const { return longest_; }
    std::size_t memoryBytes() const { return starts_.capacity() * sizeof(std::uint64_t); }

private:
    std::vector<std::uint64_t> starts_;
    std::uint64_t scannedTo_ = 0;
    std::uint64_t longest_ = 0;
    bool complete_ = false;
};

} // namespace kolvane
