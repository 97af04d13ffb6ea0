// SPDX-License-Identifier: MIT
// The Window menu's arrangements of the step windows in the document area.
#pragma once

#include <Qt>

class QMdiArea;

namespace kolvane::converter {

// Horizontal tiling stacks the windows one under the other (Qt::Vertical),
// vertical tiling sets them side by side (Qt::Horizontal).
void TileSubWindows(QMdiArea& area, Qt::Orientation along);
// Minimised windows in a row along the bottom of the area.
void ArrangeMinimised(QMdiArea& area);

} // namespace kolvane::converter
