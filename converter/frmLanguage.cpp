// SPDX-License-Identifier: MIT
#include "converter/frmLanguage.h"

#include "converter/ConverterContext.h"
#include "gui/QtText.h"
#include "ui_frmLanguage.h"

namespace kolvane::converter {

frmLanguage::frmLanguage(ConverterContext& context, QWidget* parent)
    : QDialog(parent), context_(context), ui_(std::make_unique<Ui::frmLanguage>()) {
    ui_->setupUi(this);
    context_.localiser.localise(*this);
    for (const char* code : {"DE", "EN", "SP", "FR"}) {
        ui_->Language->addItem(QLatin1String(code));
    }
    // An unknown code in the settings selects none.
    ui_->Language->setCurrentIndex(
        ui_->Language->findText(FromAnsi(context_.language.LanguageCode())));
    connect(ui_->OKButton, &QPushButton::clicked, this, &frmLanguage::accept);
    connect(ui_->CancelButton, &QPushButton::clicked, this, &frmLanguage::reject);
}

frmLanguage::~frmLanguage() = default;

void frmLanguage::accept() {
    const std::string code = ToAnsi(ui_->Language->currentText());
    if (!code.empty() && code != context_.language.LanguageCode()) {
        chosen_ = code;
    }
    QDialog::accept();
}

} // namespace kolvane::converter
