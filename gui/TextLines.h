// SPDX-License-Identifier: MIT
// The lines of a large text: its bytes (a file or a text in memory) and the
// index of its line starts, and from them a line's text, the part of a line
// that a view paints, and the text of a run of lines.
#pragma once

#include "gui/LineIndex.h"
#include "gui/TextBytes.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

namespace kolvane {

class TextLines {
public:
    // Lines up to this length are read whole and show their tabs at stops of
    // eight; longer ones are read only where they are visible, a tab as a blank.
    static constexpr std::uint64_t kTabExpansionLimit = std::uint64_t{64} << 10;

    // New bytes, none of their lines indexed yet; nothing clears the text.
    void reset(std::unique_ptr<TextBytes> bytes = nullptr);
    bool empty() const { return bytes_ == nullptr; }
    TextBytes& bytes() { return *bytes_; }
    LineIndex& index() { return index_; }
    const LineIndex& index() const { return index_; }
    std::size_t lineCount() const { return index_.lineCount(); }

    // Line `line` (from 0) without its line end.
    QString lineText(std::size_t line) const;
    // Lines `first` to `last`, joined by "\n".
    QString linesText(std::size_t first, std::size_t last) const;
    // What a view paints of a line: `columns` characters from `fromColumn` on,
    // tabs expanded, control characters made visible. `widest` grows to the
    // line's width when it is wider.
    QString shownPart(std::size_t line, std::uint64_t fromColumn, std::size_t columns,
                      std::uint64_t& widest) const;

private:
    // The bytes of a line from `from` on, at most `maxBytes`, without its line end.
    std::string lineBytes(std::size_t line, std::uint64_t from, std::size_t maxBytes) const;
    // Where a line starts, and where the next one starts (or the text ends),
    // read forward from the index's mark before it.
    std::uint64_t lineStart(std::size_t line) const;
    std::uint64_t lineEndWithBreak(std::size_t line) const;
    // The starts of the lines from a mark's line on, up to the next mark's.
    const std::vector<std::uint64_t>& startsFrom(std::size_t markedLine) const;

    std::unique_ptr<TextBytes> bytes_;
    LineIndex index_;
    // The lines around the last one asked for: painting asks for neighbours.
    mutable std::size_t cachedMark_ = SIZE_MAX;
    mutable std::vector<std::uint64_t> cachedStarts_;
};

} // namespace kolvane
