// SPDX-License-Identifier: MIT
#include "runner/SelectionWindow.h"

namespace kolvane {

SelectionWindow::SelectionWindow(QWidget* parent) : QDialog(parent) {
    ui.setupUi(this);
}

} // namespace kolvane
