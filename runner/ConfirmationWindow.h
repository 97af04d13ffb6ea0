// SPDX-License-Identifier: MIT
// The confirmation of the automatic import named on the command line.
#pragma once

#include "ui_frmBatMain.h"

#include <QDialog>

namespace kolvane {

class ConfirmationWindow : public QDialog {
    Q_OBJECT
public:
    explicit ConfirmationWindow(QWidget* parent = nullptr);
    Ui::frmBatMain ui;
};

} // namespace kolvane
