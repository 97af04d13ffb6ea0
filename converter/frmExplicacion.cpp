// SPDX-License-Identifier: MIT
#include "converter/frmExplicacion.h"

#include "converter/ConverterContext.h"
#include "ui_frmExplicacion.h"

namespace kolvane::converter {

frmExplicacion::frmExplicacion(ConverterContext& context, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::frmExplicacion>()) {
    ui_->setupUi(this);
    context.localiser.localise(*this);
    ui_->Check1->setChecked(!context.showFixedColumnsNote);
    bool& showNote = context.showFixedColumnsNote;
    connect(ui_->Check1, &QCheckBox::toggled, this,
            [&showNote](bool dontShow) { showNote = !dontShow; });
    connect(ui_->OKButton, &QPushButton::clicked, this, &QDialog::accept);
    ui_->OKButton->setFocus();
}

frmExplicacion::~frmExplicacion() = default;

} // namespace kolvane::converter
