// SPDX-License-Identifier: MIT
#include "runner/RunnerWindows.h"

#include <QCloseEvent>

namespace kolvane {

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

SelectionWindow::SelectionWindow(QWidget* parent) : QDialog(parent) {
    ui.setupUi(this);
}

ConfirmationWindow::ConfirmationWindow(QWidget* parent) : QDialog(parent) {
    ui.setupUi(this);
}

SendDateWindow::SendDateWindow(QWidget* parent) : QDialog(parent) {
    ui.setupUi(this);
}

WorkingWindow::WorkingWindow(QWidget* parent) : QDialog(parent) {
    ui.setupUi(this);
}

} // namespace kolvane
