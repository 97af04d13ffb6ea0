// SPDX-License-Identifier: MIT
// The runner's simple windows: the main window, the selection of an automatic
// import, the confirmation of one, the send-date question and the working
// window. Each holds its form; the flow acts on what they collect.
#pragma once

#include "ui_Fecha_Ask.h"
#include "ui_Trabajando.h"
#include "ui_frmAutom.h"
#include "ui_frmBatMain.h"
#include "ui_frmMain.h"

#include <QDialog>
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

class SelectionWindow : public QDialog {
    Q_OBJECT
public:
    explicit SelectionWindow(QWidget* parent = nullptr);
    Ui::frmAutom ui;
};

class ConfirmationWindow : public QDialog {
    Q_OBJECT
public:
    explicit ConfirmationWindow(QWidget* parent = nullptr);
    Ui::frmBatMain ui;
};

class SendDateWindow : public QDialog {
    Q_OBJECT
public:
    explicit SendDateWindow(QWidget* parent = nullptr);
    Ui::Fecha_Ask ui;
};

class WorkingWindow : public QDialog {
    Q_OBJECT
public:
    explicit WorkingWindow(QWidget* parent = nullptr);
    Ui::Trabajando ui;
};

} // namespace kolvane
