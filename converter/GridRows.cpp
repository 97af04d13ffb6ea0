// SPDX-License-Identifier: MIT
#include "converter/GridRows.h"

#include <QHeaderView>
#include <QTableView>

namespace kolvane::converter {

void FitRowsToFont(QTableView& grid) {
    QHeaderView& rows = *grid.verticalHeader();
    const int line = grid.fontMetrics().height();
    rows.setMinimumSectionSize(line + 2);
    rows.setDefaultSectionSize(line + 6);
}

} // namespace kolvane::converter
