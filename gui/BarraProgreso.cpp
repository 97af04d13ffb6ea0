// SPDX-License-Identifier: MIT
#include "gui/BarraProgreso.h"

#include "gui/FormLocaliser.h"
#include "ui_BarraProgreso.h"

namespace kolvane {

BarraProgreso::BarraProgreso(const FormLocaliser& localiser, QWidget* parent)
    : ProgressWindow(parent), ui_(std::make_unique<Ui::BarraProgreso>()) {
    ui_->setupUi(this);
    localiser.localise(*this);
    attach(*ui_->Label1, *ui_->ProgressBar1);
}

BarraProgreso::~BarraProgreso() = default;

} // namespace kolvane
