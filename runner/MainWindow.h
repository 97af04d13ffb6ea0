// SPDX-License-Identifier: MIT
// The runner's main window: its status line and the Start button.
#pragma once

#include "ui_frmMain.h"

#include <QWidget>

namespace kolvane {

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    Ui::frmMain ui;
signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace kolvane
