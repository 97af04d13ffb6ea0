// SPDX-License-Identifier: MIT
// The question for the send date, in the setup's date format: filled with
// today's date (selected, so typing replaces it), a calendar that writes the
// chosen day in the format, OK and Cancel.
#pragma once

#include <QDate>
#include <QDialog>
#include <functional>
#include <memory>

class QCalendarWidget;

namespace kolvane {
class FormLocaliser;
}

namespace kolvane::runner {

namespace Ui {
class Fecha_Ask;
}

class Fecha_Ask final : public QDialog {
    Q_OBJECT
public:
    // A day written in the setup's date format.
    using DayText = std::function<QString(QDate)>;

    explicit Fecha_Ask(const FormLocaliser& localiser, QWidget* parent = nullptr);
    ~Fecha_Ask() override;

    // The prompt, the expected format (shown in brackets) and `today`,
    // written with `dayText` into the box and selected.
    void ask(const QString& prompt, const QString& format, QDate today, DayText dayText);
    // The date as typed.
    QString date() const;
    // The calendar of the calendar button, for tests.
    QCalendarWidget& calendar() { return *calendar_; }

signals:
    // OK: the caller checks date() and closes the window.
    void confirmed();
    // Cancel, or closed without a date.
    void abandoned();

private:
    void writeDay(QDate day);

    std::unique_ptr<Ui::Fecha_Ask> ui_;
    QCalendarWidget* calendar_ = nullptr; // owned by the calendar button's menu
    DayText dayText_;
};

} // namespace kolvane::runner
