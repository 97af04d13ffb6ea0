// SPDX-License-Identifier: MIT
// Realistic test-day exports and the setup that imports them, for benchmarks
// and the bundled example.
#pragma once

#include "engine/ImportSetup.h"

#include <cstdint>
#include <ostream>

namespace kolvane::bench {

// A semicolon-separated test-day file: one header line, then `rows` lines of
// animal id; date dd-mm-yy; milk kg; fat %; cell count; lactation; name;
// milking start hh:mm; urea; comment.
void WriteTestDayFile(std::ostream& out, std::uint64_t rows, std::uint32_t seed);

// The setup that imports all ten columns: a date column, a time column, two
// columns with a decimal separator (one with a correction factor) and text.
ImportSetup TestDaySetup(const std::string& sourcePath);

} // namespace kolvane::bench
