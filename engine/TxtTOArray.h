// SPDX-License-Identifier: MIT
// Reading the source (ASCII) file: the line reader with its top-line skipping
// and "Line starts with" filter, and the splitting of delimited lines.
#pragma once

#include "engine/EngineContext.h"
#include "engine/ImportSetup.h"
#include "engine/LineReader.h"
#include "engine/SourceData.h"
#include "engine/SourceEncoding.h"

#include <span>
#include <string_view>
#include <vector>

namespace kolvane {

// Columns and rows are counted in 16 bits by the setup and its files.
inline constexpr int kMaxColumns = 32767;

// The source stream: opened once, it skips the top lines; then it hands out the
// lines that pass the "Line starts with" filter.
class SourceLineReader {
public:
    explicit SourceLineReader(const ImportSetup& setup) : setup_(setup) {}

    // Opens the source, finds its encoding and reads past TopLinesToSkip
    // lines. A file that ends before them gives TooFewLines. A UTF-16 file is
    // read whole and taken as UTF-8 (such exports are small).
    Status open(const SourceData& source);

    // The next line that passes the filter (an empty line passes as ""), in
    // Windows-1252 whatever the file's encoding.
    LineReader::Result next(std::string_view& line);

    // Lines many at a time, uncut and unfiltered (see LineReader::nextBlock);
    // only for a source read byte for byte (Windows-1252).
    LineReader::Result nextBlock(std::string& storage, std::string_view& lines,
                                 std::size_t blockBytes) {
        return reader_.nextBlock(storage, lines, blockBytes);
    }

    SourceEncoding encoding() const { return encoding_; }
    // Letters of the line given last that Windows-1252 has not: written "?".
    std::size_t unmappedLetters() const { return unmapped_; }

    const Status& error() const { return reader_.error(); }
    long lineNumber() const { return reader_.lineNumber(); }
    std::uint64_t bytesConsumed() const { return reader_.bytesConsumed(); }
    std::uint64_t size() const { return reader_.size(); }

private:
    LineReader::Result nextInAnsi(std::string_view& line);

    const ImportSetup& setup_;
    LineReader reader_;
    SourceEncoding encoding_ = SourceEncoding::Ansi;
    std::string converted_; // the line given last, when the file is UTF-8
    std::string wholeText_; // a UTF-16 file, as UTF-8
    std::size_t unmapped_ = 0;
    bool atStart_ = true; // the byte order mark goes with the first line
};

// Whether a line passes the "Line starts with" filter of the setup.
bool PassesLineFilter(const ImportSetup& setup, std::string_view line);

// Columns of the source table from its first line: 1 for a non-empty line, plus
// one per separator character, plus the send date column when it is asked for.
int CountColumns(const ImportSetup& setup, std::string_view line);

// Cuts `line` at every Separator character into `cells`, which holds one entry
// per column of the table (the send date first, when asked for). Cells past the
// fields of a short line are "". Returns false when the line has more fields
// than the table has columns; the cells before the excess are filled.
bool SplitLineIntoRow(const ImportSetup& setup, std::string_view line,
                      std::span<std::string_view> cells);

} // namespace kolvane
