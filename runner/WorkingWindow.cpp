// SPDX-License-Identifier: MIT
#include "runner/WorkingWindow.h"

namespace kolvane {

WorkingWindow::WorkingWindow(QWidget* parent) : QDialog(parent) {
    ui.setupUi(this);
}

} // namespace kolvane
