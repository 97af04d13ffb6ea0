// SPDX-License-Identifier: MIT
#include "converter/Wizard_4.h"

#include "engine/Messages.h"
#include "gui/QtText.h"
#include "storage/AutomaticImportRegistration.h"
#include "ui_Wizard_4.h"

namespace kolvane::converter {

Wizard_4::Wizard_4(ConverterContext& context, AutomationWizard& wizard, QWidget* parent)
    : WizardWindow(context, wizard, parent), ui_(std::make_unique<Ui::Wizard_4>()) {
    ui_->setupUi(this);
    localise();
    ui_->txtPath->setText(FromPath(wizard_.AutomationSourcePath));
    ui_->txtPath->selectAll();
    connect(ui_->NextButton4, &QPushButton::clicked, this, [this] {
        nextWithText(*ui_->txtPath, wizard_.AutomationSourcePath, msg::SourcePathRequired);
    });
    connect(ui_->PreviosButton, &QPushButton::clicked, this,
            [this] { backWithText(*ui_->txtPath, wizard_.AutomationSourcePath); });
}

Wizard_4::~Wizard_4() = default;

} // namespace kolvane::converter
