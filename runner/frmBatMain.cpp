// SPDX-License-Identifier: MIT
#include "runner/frmBatMain.h"

#include "gui/FormLocaliser.h"
#include "ui_frmBatMain.h"

namespace kolvane::runner {

frmBatMain::frmBatMain(const FormLocaliser& localiser, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::frmBatMain>()) {
    ui_->setupUi(this);
    localiser.localise(*this);
    connect(ui_->OKButton, &QPushButton::clicked, this, &frmBatMain::confirmed);
    connect(ui_->CancelButton, &QPushButton::clicked, this, &frmBatMain::cancelled);
    // Closed by its frame or Escape: as Cancel, so the run never hangs unseen.
    connect(this, &QDialog::rejected, this, &frmBatMain::cancelled);
}

frmBatMain::~frmBatMain() = default;

void frmBatMain::showSetup(const QString& dstPath, const QString& explanation) {
    ui_->txtAutomatition->setText(dstPath);
    ui_->txtAutomatition->setEnabled(false);
    ui_->txtexplanation->setPlainText(explanation);
}

} // namespace kolvane::runner
