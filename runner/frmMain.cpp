// SPDX-License-Identifier: MIT
#include "runner/frmMain.h"

#include "gui/FormLocaliser.h"
#include "ui_frmMain.h"

#include <QCloseEvent>

namespace kolvane::runner {

frmMain::frmMain(const FormLocaliser& localiser, QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::frmMain>()) {
    ui_->setupUi(this);
    localiser.localise(*this);
    // Enter or Space starts, without the mouse.
    setFocusProxy(ui_->InitBotton);
    ui_->InitBotton->setFocus();
    connect(ui_->InitBotton, &QPushButton::clicked, this, &frmMain::startRequested);
}

frmMain::~frmMain() = default;

void frmMain::setStatus(const QString& text) {
    ui_->Label1->setText(text);
}

QString frmMain::status() const {
    return ui_->Label1->text();
}

void frmMain::setStartEnabled(bool enabled) {
    ui_->InitBotton->setEnabled(enabled);
}

void frmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

} // namespace kolvane::runner
