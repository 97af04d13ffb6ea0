// SPDX-License-Identifier: MIT
#include "runner/SendDateWindow.h"

namespace kolvane {

SendDateWindow::SendDateWindow(QWidget* parent) : QDialog(parent) {
    ui.setupUi(this);
}

} // namespace kolvane
