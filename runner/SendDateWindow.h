// SPDX-License-Identifier: MIT
// The question for the send date, in the setup's date format.
#pragma once

#include "ui_Fecha_Ask.h"

#include <QDialog>

namespace kolvane {

class SendDateWindow : public QDialog {
    Q_OBJECT
public:
    explicit SendDateWindow(QWidget* parent = nullptr);
    Ui::Fecha_Ask ui;
};

} // namespace kolvane
