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
    connect(ui_->btnCancelar, &QPushButton::clicked, this, &Trabajando::cancelRequested);
}

void Trabajando::setCancellable(bool cancellable) {
    ui_->btnCancelar->setVisible(cancellable);
}

void Trabajando::reject() {
    if (ui_->btnCancelar->isVisible()) {
        emit cancelRequested();
    }
}

Trabajando::~Trabajando() = default;

} // namespace kolvane
