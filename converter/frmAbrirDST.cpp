// SPDX-License-Identifier: MIT
#include "converter/frmAbrirDST.h"

#include "converter/AutomationEntries.h"
#include "converter/ConverterContext.h"
#include "engine/Messages.h"
#include "gui/QtText.h"
#include "ui_frmAbrirDST.h"

namespace kolvane::converter {

frmAbrirDST::frmAbrirDST(ConverterContext& context, QWidget* parent)
    : QDialog(parent), context_(context), ui_(std::make_unique<Ui::frmAbrirDST>()) {
    ui_->setupUi(this);
    context_.localiser.localise(*this);
    FillAutomationChoice(*ui_->cmbAutomatizaciones, context_.automaticImports);
    connect(ui_->cmbAutomatizaciones, &QComboBox::currentIndexChanged, this,
            &frmAbrirDST::showExplanation);
    connect(ui_->Aceptar, &QPushButton::clicked, this, &frmAbrirDST::accept);
    connect(ui_->Examinar, &QPushButton::clicked, this, &frmAbrirDST::browse);
    connect(ui_->CancelButton, &QPushButton::clicked, this, &frmAbrirDST::reject);
    ui_->cmbAutomatizaciones->setFocus();
}

frmAbrirDST::~frmAbrirDST() = default;

void frmAbrirDST::showExplanation(int entry) {
    ShowAutomationExplanation(*ui_->txtExplanation, context_.automaticImports, entry,
                              context_.language);
}

// The entry by its position: the list's own bytes, not the path as shown.
void frmAbrirDST::accept() {
    const int entry = ui_->cmbAutomatizaciones->currentIndex();
    chosen_ = entry >= 0 && static_cast<std::size_t>(entry) < context_.automaticImports.size()
                  ? context_.automaticImports[static_cast<std::size_t>(entry)]
                  : std::string();
    QDialog::accept();
}

void frmAbrirDST::browse() {
    const Language& language = context_.language;
    const QString file = context_.dialogs.openFileName(
        this, FromAnsi(language.LoadText(msg::OpenAutomaticImportCaption)),
        FromAnsi(language.LoadText(msg::AutomaticImportFilter)) +
            QStringLiteral("(*.dst)|*.dst|All (*.*)|*.*"));
    if (file.isEmpty()) {
        return; // the window stays open
    }
    chosen_ = ToPath(file);
    QDialog::accept();
}

} // namespace kolvane::converter
