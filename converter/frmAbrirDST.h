// SPDX-License-Identifier: MIT
// The choice of an automatic import to open in the converter: one of the
// registered DST files (with its explanation), or any DST file found with the
// file dialog. The caller opens the chosen file.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

namespace kolvane::converter {

struct ConverterContext;

namespace Ui {
class frmAbrirDST;
}

class frmAbrirDST final : public QDialog {
    Q_OBJECT
public:
    explicit frmAbrirDST(ConverterContext& context, QWidget* parent = nullptr);
    ~frmAbrirDST() override;

    // The DST file chosen (an engine path); "" when cancelled or nothing chosen.
    std::string chosenDst() const { return chosen_; }
    // OK: the chosen entry (or nothing), and the window closes.
    void accept() override;

private:
    void showExplanation(int entry);
    void browse();

    ConverterContext& context_;
    std::unique_ptr<Ui::frmAbrirDST> ui_;
    std::string chosen_;
};

} // namespace kolvane::converter
