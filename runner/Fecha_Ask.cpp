// SPDX-License-Identifier: MIT
#include "runner/Fecha_Ask.h"

#include "gui/FormLocaliser.h"
#include "ui_Fecha_Ask.h"

namespace kolvane::runner {

Fecha_Ask::Fecha_Ask(const FormLocaliser& localiser, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::Fecha_Ask>()) {
    ui_->setupUi(this);
    localiser.localise(*this);
    ui_->fecha->setFocus();
    connect(ui_->OKButton, &QPushButton::clicked, this, &Fecha_Ask::confirmed);
    // Closed by its frame or Escape: the run cannot go on without a date.
    connect(this, &QDialog::rejected, this, &Fecha_Ask::abandoned);
}

Fecha_Ask::~Fecha_Ask() = default;

void Fecha_Ask::ask(const QString& prompt, const QString& format) {
    ui_->Label1->setText(prompt);
    ui_->lblFormat->setText(QLatin1Char('(') + format + QLatin1Char(')'));
}

QString Fecha_Ask::date() const {
    return ui_->fecha->text();
}

} // namespace kolvane::runner
