// SPDX-License-Identifier: MIT
#include "gui/Trabajando.h"

#include "gui/FormLocaliser.h"
#include "ui_Trabajando.h"

namespace kolvane {

Trabajando::Trabajando(const FormLocaliser& localiser, QWidget* parent)
    : ProgressWindow(parent), ui_(std::make_unique<Ui::Trabajando>()) {
    ui_->setupUi(this);
    localiser.localise(*this);
    attach(*ui_->BarraExplicacion, *ui_->ProgressBar1);
}

Trabajando::~Trabajando() = default;

} // namespace kolvane
