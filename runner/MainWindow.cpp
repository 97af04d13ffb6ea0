// SPDX-License-Identifier: MIT
#include "runner/MainWindow.h"

#include <QCloseEvent>

namespace kolvane {

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

} // namespace kolvane
