// SPDX-License-Identifier: MIT
#include "runner/frmAutom.h"

#include "gui/FormLocaliser.h"
#include "ui_frmAutom.h"

namespace kolvane::runner {

frmAutom::frmAutom(const FormLocaliser& localiser, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::frmAutom>()) {
    ui_->setupUi(this);
    localiser.localise(*this);
    ui_->lbExplicacion->clear();
    ui_->cmbAutomatizaciones->setFocus();
    connect(ui_->cmbAutomatizaciones, &QComboBox::currentTextChanged, this, &frmAutom::entryChosen);
    connect(ui_->OkButton, &QPushButton::clicked, this, &frmAutom::confirmed);
    connect(ui_->Cancel, &QPushButton::clicked, this, &frmAutom::cancelled);
    // Closed by its frame or Escape: as Cancel, so the run never hangs unseen.
    connect(this, &QDialog::rejected, this, &frmAutom::cancelled);
}

frmAutom::~frmAutom() = default;

void frmAutom::setEntries(const QStringList& paths) {
    const QSignalBlocker quiet(ui_->cmbAutomatizaciones);
    ui_->cmbAutomatizaciones->clear();
    ui_->cmbAutomatizaciones->addItems(paths);
    ui_->cmbAutomatizaciones->setCurrentIndex(-1);
}

void frmAutom::setExplanation(const QString& text) {
    ui_->lbExplicacion->setText(text);
}

QString frmAutom::chosenSetup() const {
    return ui_->cmbAutomatizaciones->currentText().trimmed();
}

} // namespace kolvane::runner
