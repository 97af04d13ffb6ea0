// SPDX-License-Identifier: MIT
#include "converter/Wizard_5.h"

#include "gui/QtText.h"
#include "storage/AutomaticImportRegistration.h"
#include "ui_Wizard_5.h"

namespace kolvane::converter {

Wizard_5::Wizard_5(ConverterContext& context, AutomationWizard& wizard, QWidget* parent)
    : WizardWindow(context, wizard, parent), ui_(std::make_unique<Ui::Wizard_5>()) {
    ui_->setupUi(this);
    localise();
    // The setup file keeps the explanation's lines with CR LF.
    QString explanation = FromAnsi(wizard_.Description);
    explanation.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    ui_->txtExplanation->setPlainText(explanation);
    connect(ui_->FinishButton, &QPushButton::clicked, this, [this] {
        keepExplanation();
        goNext();
    });
    connect(ui_->PreviosButton, &QPushButton::clicked, this, [this] {
        keepExplanation();
        goBack();
    });
}

Wizard_5::~Wizard_5() = default;

void Wizard_5::keepExplanation() {
    QString explanation = ui_->txtExplanation->toPlainText();
    explanation.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    wizard_.Description = ToAnsi(explanation);
}

} // namespace kolvane::converter
