// SPDX-License-Identifier: MIT
#include "converter/Wizard_3.h"

#include "storage/AutomaticImportRegistration.h"
#include "ui_Wizard_3.h"

namespace kolvane::converter {

Wizard_3::Wizard_3(ConverterContext& context, AutomationWizard& wizard, QWidget* parent)
    : WizardWindow(context, wizard, parent), ui_(std::make_unique<Ui::Wizard_3>()) {
    ui_->setupUi(this);
    localise();
    (wizard_.FixedSourcePath ? ui_->Option1 : ui_->Option2)->setChecked(true);
    connect(ui_->NextButton3, &QPushButton::clicked, this, [this] {
        keepChoice();
        goNext();
    });
    connect(ui_->PreviosButton, &QPushButton::clicked, this, [this] {
        keepChoice();
        goBack();
    });
}

Wizard_3::~Wizard_3() = default;

void Wizard_3::keepChoice() {
    wizard_.FixedSourcePath = ui_->Option1->isChecked();
}

} // namespace kolvane::converter
