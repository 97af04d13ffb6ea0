// SPDX-License-Identifier: MIT
// The choice of a registered automatic import, with its explanation.
#pragma once

#include "ui_frmAutom.h"

#include <QDialog>

namespace kolvane {

class SelectionWindow : public QDialog {
    Q_OBJECT
public:
    explicit SelectionWindow(QWidget* parent = nullptr);
    Ui::frmAutom ui;
};

} // namespace kolvane
