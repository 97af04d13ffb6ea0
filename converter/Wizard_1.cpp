// SPDX-License-Identifier: MIT
#include "converter/Wizard_1.h"

#include "storage/AutomaticImportRegistration.h"
#include "ui_Wizard_1.h"

namespace kolvane::converter {

Wizard_1::Wizard_1(ConverterContext& context, AutomationWizard& wizard, QWidget* parent)
    : WizardWindow(context, wizard, parent), ui_(std::make_unique<Ui::Wizard_1>()) {
    ui_->setupUi(this);
    localise();
    (wizard_.CreateBatchFile ? ui_->Option1 : ui_->Option2)->setChecked(true);
    // Both switches show what was chosen, so that Previous and Next keep them.
    ui_->ChkRunAuto->setChecked(wizard_.StartWithoutConfirmation);
    ui_->ckfinishAuto->setChecked(wizard_.CloseWithoutConfirmation);
    enableSwitches(wizard_.CreateBatchFile);
    connect(ui_->Option1, &QRadioButton::toggled, this, &Wizard_1::enableSwitches);
    connect(ui_->Command1, &QPushButton::clicked, this, &Wizard_1::next);
}

Wizard_1::~Wizard_1() = default;

void Wizard_1::enableSwitches(bool batchFile) {
    ui_->ChkRunAuto->setEnabled(batchFile);
    ui_->ckfinishAuto->setEnabled(batchFile);
}

void Wizard_1::next() {
    wizard_.CreateBatchFile = ui_->Option1->isChecked();
    wizard_.StartWithoutConfirmation = wizard_.CreateBatchFile && ui_->ChkRunAuto->isChecked();
    if (wizard_.CreateBatchFile) {
        wizard_.CloseWithoutConfirmation = ui_->ckfinishAuto->isChecked();
    }
    goNext();
}

} // namespace kolvane::converter
