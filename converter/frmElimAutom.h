// SPDX-License-Identifier: MIT
// "Remove an automatic import": the registered automatic imports with the
// explanation of the chosen one; Remove unregisters it and deletes its setup
// file after the user confirmed (the batch file stays).
#pragma once

#include <QDialog>
#include <memory>

namespace kolvane::converter {

struct ConverterContext;

namespace Ui {
class frmElimAutom;
}

class frmElimAutom final : public QDialog {
    Q_OBJECT
public:
    explicit frmElimAutom(ConverterContext& context, QWidget* parent = nullptr);
    ~frmElimAutom() override;

private:
    void showExplanation(int entry);
    void removeChosen();
    bool confirmed(const std::string& dstPath);

    ConverterContext& context_;
    std::unique_ptr<Ui::frmElimAutom> ui_;
};

} // namespace kolvane::converter
