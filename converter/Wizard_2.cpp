// SPDX-License-Identifier: MIT
#include "converter/Wizard_2.h"

#include "engine/Messages.h"
#include "gui/QtText.h"
#include "storage/AutomaticImportRegistration.h"
#include "ui_Wizard_2.h"

namespace kolvane::converter {

Wizard_2::Wizard_2(ConverterContext& context, AutomationWizard& wizard, QWidget* parent)
    : WizardWindow(context, wizard, parent), ui_(std::make_unique<Ui::Wizard_2>()) {
    ui_->setupUi(this);
    localise();
    ui_->txtPath->setText(FromPath(wizard_.AutomationName));
    ui_->txtPath->selectAll();
    connect(ui_->NextButton2, &QPushButton::clicked, this, [this] {
        nextWithText(*ui_->txtPath, wizard_.AutomationName, msg::AutomationNameRequired);
    });
    connect(ui_->PreviosButton, &QPushButton::clicked, this,
            [this] { backWithText(*ui_->txtPath, wizard_.AutomationName); });
}

Wizard_2::~Wizard_2() = default;

} // namespace kolvane::converter
