// SPDX-License-Identifier: MIT
#include "converter/frmElimAutom.h"

#include "converter/AutomationEntries.h"
#include "converter/ConverterContext.h"
#include "engine/Messages.h"
#include "gui/QtText.h"
#include "storage/AutomaticImportRegistration.h"
#include "ui_frmElimAutom.h"

namespace kolvane::converter {

frmElimAutom::frmElimAutom(ConverterContext& context, QWidget* parent)
    : QDialog(parent), context_(context), ui_(std::make_unique<Ui::frmElimAutom>()) {
    ui_->setupUi(this);
    context_.localiser.localise(*this);
    FillAutomationChoice(*ui_->cmbAutomatizaciones, context_.automaticImports);
    connect(ui_->cmbAutomatizaciones, &QComboBox::currentIndexChanged, this,
            &frmElimAutom::showExplanation);
    connect(ui_->DeleteButton, &QPushButton::clicked, this, &frmElimAutom::removeChosen);
    connect(ui_->ExitButton, &QPushButton::clicked, this, &QDialog::accept);
    ui_->cmbAutomatizaciones->setFocus();
}

frmElimAutom::~frmElimAutom() = default;

void frmElimAutom::showExplanation(int entry) {
    ShowAutomationExplanation(*ui_->txtExplanation, context_.automaticImports, entry,
                              context_.language);
    ui_->DeleteButton->setEnabled(entry >= 0);
}

// A deleted setup cannot be brought back: the user confirms, naming the file.
bool frmElimAutom::confirmed(const std::string& dstPath) {
    const Language& language = context_.language;
    return context_.dialogs.message(this,
                                    FromAnsi(language.LoadText(msg::ConfirmRemoveAutomaticImport)) +
                                        QLatin1Char('\n') + FromPath(dstPath),
                                    QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
                                    FromAnsi(language.LoadText(msg::RemoveAutomaticImport))) ==
           QMessageBox::Yes;
}

void frmElimAutom::removeChosen() {
    AutomationList& list = context_.automaticImports;
    const int entry = ui_->cmbAutomatizaciones->currentIndex();
    if (entry < 0 || static_cast<std::size_t>(entry) >= list.size() ||
        !confirmed(list[static_cast<std::size_t>(entry)])) {
        return;
    }
    const Status removed = RemoveAutomaticImport(list, entry + 1, context_.settings.values());
    FillAutomationChoice(*ui_->cmbAutomatizaciones, list);
    ui_->txtExplanation->clear();
    if (!removed.ok()) {
        context_.dialogs.message(this, DescribeStatus(removed, context_.language),
                                 QMessageBox::Warning, QMessageBox::Ok);
    }
}

} // namespace kolvane::converter
