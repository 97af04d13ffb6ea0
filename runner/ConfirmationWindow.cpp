// SPDX-License-Identifier: MIT
#include "runner/ConfirmationWindow.h"

namespace kolvane {

ConfirmationWindow::ConfirmationWindow(QWidget* parent) : QDialog(parent) {
    ui.setupUi(this);
}

} // namespace kolvane
