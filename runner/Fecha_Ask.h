// SPDX-License-Identifier: MIT
// The question for the send date, in the setup's date format.
#pragma once

#include <QDialog>
#include <memory>

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
    explicit Fecha_Ask(const FormLocaliser& localiser, QWidget* parent = nullptr);
    ~Fecha_Ask() override;

    // The prompt and the expected format (shown in brackets).
    void ask(const QString& prompt, const QString& format);
    // The date as typed.
    QString date() const;

signals:
    // OK: the caller checks date() and closes the window.
    void confirmed();
    // Closed without a date.
    void abandoned();

private:
    std::unique_ptr<Ui::Fecha_Ask> ui_;
};

} // namespace kolvane::runner
