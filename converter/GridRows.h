// SPDX-License-Identifier: MIT
// Grid rows as high as one line of the grid's font: the style's default leaves
// room for two, and the windows show as many rows as fit.
#pragma once

class QTableView;

namespace kolvane::converter {

void FitRowsToFont(QTableView& grid);

} // namespace kolvane::converter
