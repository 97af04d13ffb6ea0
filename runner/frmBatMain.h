// SPDX-License-Identifier: MIT
// The confirmation of the automatic import named on the command line.
#pragma once

#include <QDialog>
#include <memory>

namespace kolvane {
class FormLocaliser;
}

namespace kolvane::runner {

namespace Ui {
class frmBatMain;
}

class frmBatMain final : public QDialog {
    Q_OBJECT
public:
    explicit frmBatMain(const FormLocaliser& localiser, QWidget* parent = nullptr);
    ~frmBatMain() override;

    // The DST path (not editable) and its explanation.
    void showSetup(const QString& dstPath, const QString& explanation);

signals:
    void confirmed();
    void cancelled();

private:
    std::unique_ptr<Ui::frmBatMain> ui_;
};

} // namespace kolvane::runner
