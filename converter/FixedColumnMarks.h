// SPDX-License-Identifier: MIT
// The marks of the fixed columns window: toggling a column start, and how each
// character column looks with the starts marked or with the columns painted.
#pragma once

#include "engine/ImportSetup.h"

#include <cstdint>
#include <vector>

namespace kolvane::converter {

// How the cells of one character column are drawn.
enum class ColumnLook : std::uint8_t {
    Plain,      // the system's window colours
    Marked,     // a column starts here
    FirstBand,  // painted columns: every other column...
    SecondBand, // ...and the ones between
};

// The starts with `column` added, or taken away when it is there already. The
// first character always starts a column, so 0 changes nothing.
FixedColumnStarts ToggleColumnStart(FixedColumnStarts starts, int column);

// The first column and every start inside the width are marked; a start at the
// width (the end of the last column) has no character to mark.
std::vector<ColumnLook> MarkedLooks(const FixedColumnStarts& starts, int width);

// The characters of each column in alternating bands, from the first character
// to the last start; what follows the last start is dropped and stays plain.
std::vector<ColumnLook> PaintedLooks(const FixedColumnStarts& starts, int width);

} // namespace kolvane::converter
