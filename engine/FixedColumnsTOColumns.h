// SPDX-License-Identifier: MIT
// Cutting fixed-width source lines at the marked column starts.
#pragma once

#include "engine/SourceRows.h"

namespace kolvane {

// Columns of a fixed-width source: one per cut point, plus the send date column
// when a send date is set.
int FixedColumnCount(const ImportSetup& setup);

// Cuts one line into `cells` (FixedColumnCount entries): the characters in front
// of the first cut point, then those between consecutive cut points; characters
// after the last cut point are dropped. Nothing is trimmed.
void CutFixedLine(const ImportSetup& setup, std::string_view line,
                  std::span<std::string_view> cells);

// Fills SourceTable from a fixed-width source. The table keeps no empty rows at
// its end: every row holds a line of the file.
SourceReadResult CutFixedColumns(ImportSetup& setup, const EngineContext& context,
                                 const SourceData& source, const SourceLoadOptions& options = {});

} // namespace kolvane
