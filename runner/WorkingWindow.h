// SPDX-License-Identifier: MIT
// The working window: a caption and the progress of the conversion.
#pragma once

#include "ui_Trabajando.h"

#include <QDialog>

namespace kolvane {

class WorkingWindow : public QDialog {
    Q_OBJECT
public:
    explicit WorkingWindow(QWidget* parent = nullptr);
    Ui::Trabajando ui;
};

} // namespace kolvane
