// SPDX-License-Identifier: MIT
// The special options window: how the importer treats errors (a message for
// every error, errors ignored, or errors stopping the import). OK stores the
// choice in the setup; closing the window otherwise stores nothing.
#pragma once

#include <QDialog>
#include <memory>

namespace kolvane::converter {

struct ConverterContext;

namespace Ui {
class frmExperimental;
}

class frmExperimental final : public QDialog {
    Q_OBJECT
public:
    explicit frmExperimental(ConverterContext& context, QWidget* parent = nullptr);
    ~frmExperimental() override;

private:
    void store();

    ConverterContext& context_;
    std::unique_ptr<Ui::frmExperimental> ui_;
};

} // namespace kolvane::converter
