// SPDX-License-Identifier: MIT
#include "converter/frmExperimental.h"

#include "converter/ConverterContext.h"
#include "ui_frmExperimental.h"

namespace kolvane::converter {

frmExperimental::frmExperimental(ConverterContext& context, QWidget* parent)
    : QDialog(parent), context_(context), ui_(std::make_unique<Ui::frmExperimental>()) {
    ui_->setupUi(this);
    context_.localiser.localise(*this);
    const ImportSetup& setup = context_.session.setup();
    if (setup.OptionErrOK) {
        ui_->OptErrOK->setChecked(true);
    } else if (setup.OptionErrExit) {
        ui_->OptErrExit->setChecked(true);
    } else {
        ui_->OptDefault->setChecked(true);
    }
    connect(ui_->Command1, &QPushButton::clicked, this, &frmExperimental::store);
}

frmExperimental::~frmExperimental() = default;

void frmExperimental::store() {
    const bool errOK = ui_->OptErrOK->isChecked();
    const bool errExit = ui_->OptErrExit->isChecked();
    // Refused only while a job holds the setup: the window stays open then.
    if (context_.session.changeSettings([&](ImportSetup& setup) {
            setup.OptionErrOK = errOK;
            setup.OptionErrExit = errExit;
        })) {
        accept();
    }
}

} // namespace kolvane::converter
