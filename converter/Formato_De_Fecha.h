// SPDX-License-Identifier: MIT
// The date format window: the user builds a date pattern from the year, month
// and day letters of the current language and the separators "-", "/", "\"
// and ".". OK (or "Finish" on the tool bar) checks it and, when it is valid,
// stores it as the setup's DatePattern; a wrong pattern is cleared with a
// message. Cancel stores nothing.
#pragma once

#include <QDialog>
#include <memory>

class QToolButton;

namespace kolvane::converter {

struct ConverterContext;

namespace Ui {
class Formato_De_Fecha;
}

class Formato_De_Fecha final : public QDialog {
    Q_OBJECT
public:
    explicit Formato_De_Fecha(ConverterContext& context, QWidget* parent = nullptr);
    ~Formato_De_Fecha() override;

    // The pattern as it stands in the box.
    QString pattern() const;

private:
    void showLetters();
    void press(const QToolButton& button);
    void finish();

    ConverterContext& context_;
    std::unique_ptr<Ui::Formato_De_Fecha> ui_;
};

} // namespace kolvane::converter
