// SPDX-License-Identifier: MIT
#include "runner/Fecha_Ask.h"

#include "gui/FormLocaliser.h"
#include "ui_Fecha_Ask.h"

#include <QCalendarWidget>
#include <QMenu>
#include <QWidgetAction>

namespace kolvane::runner {

Fecha_Ask::Fecha_Ask(const FormLocaliser& localiser, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::Fecha_Ask>()) {
    ui_->setupUi(this);
    localiser.localise(*this);
    auto* menu = new QMenu(ui_->btnCalendar);
    calendar_ = new QCalendarWidget(menu);
    auto* action = new QWidgetAction(menu);
    action->setDefaultWidget(calendar_);
    menu->addAction(action);
    ui_->btnCalendar->setMenu(menu);
    connect(calendar_, &QCalendarWidget::clicked, this, [this, menu](QDate day) {
        writeDay(day);
        menu->close();
    });
    connect(calendar_, &QCalendarWidget::activated, this, [this, menu](QDate day) {
        writeDay(day);
        menu->close();
    });
    ui_->fecha->setFocus();
    connect(ui_->OKButton, &QPushButton::clicked, this, &Fecha_Ask::confirmed);
    connect(ui_->btnCancel, &QPushButton::clicked, this, &Fecha_Ask::abandoned);
    // Closed by its frame or Escape: the run cannot go on without a date.
    connect(this, &QDialog::rejected, this, &Fecha_Ask::abandoned);
}

Fecha_Ask::~Fecha_Ask() = default;

void Fecha_Ask::ask(const QString& prompt, const QString& format, QDate today, DayText dayText) {
    ui_->Label1->setText(prompt);
    ui_->lblFormat->setText(QLatin1Char('(') + format + QLatin1Char(')'));
    dayText_ = std::move(dayText);
    calendar_->setSelectedDate(today);
    writeDay(today);
}

void Fecha_Ask::writeDay(QDate day) {
    if (!dayText_ || !day.isValid()) {
        return;
    }
    ui_->fecha->setText(dayText_(day));
    ui_->fecha->selectAll();
    ui_->fecha->setFocus();
}

QString Fecha_Ask::date() const {
    return ui_->fecha->text();
}

} // namespace kolvane::runner
