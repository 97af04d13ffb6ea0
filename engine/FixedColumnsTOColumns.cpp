// SPDX-License-Identifier: MIT
#include "engine/FixedColumnsTOColumns.h"

#include <algorithm>

namespace kolvane {

int FixedColumnCount(const ImportSetup& setup) {
    return static_cast<int>(setup.FixedColumnStarts.size()) + (setup.SendDate.empty() ? 0 : 1);
}

void CutFixedLine(const ImportSetup& setup, std::string_view line,
                  std::span<std::string_view> cells) {
    std::size_t column = 0;
    if (!setup.SendDate.empty() && !cells.empty()) {
        cells[column++] = setup.SendDate;
    }
    // Cut points ascend (checked before reading), so each cell runs from the
    // previous cut point to the next one.
    std::size_t position = 0;
    for (const std::int16_t rawStart : setup.FixedColumnStarts) {
        if (column >= cells.size()) {
            break;
        }
        const auto end =
            std::max(position, static_cast<std::size_t>(std::max<std::int16_t>(rawStart, 0)));
        cells[column++] =
            position < line.size() ? line.substr(position, end - position) : std::string_view{};
        position = end;
    }
    std::fill(cells.begin() + static_cast<std::ptrdiff_t>(column), cells.end(), std::string_view{});
}

SourceReadResult CutFixedColumns(ImportSetup& setup, const EngineContext& context,
                                 const SourceData& source, const SourceLoadOptions& options) {
    return LoadSourceTable(setup, context, source, SourceLayout::FixedWidth, options);
}

} // namespace kolvane
