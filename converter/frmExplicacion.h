// SPDX-License-Identifier: MIT
// The note about marking fixed columns, with the choice not to show it again.
#pragma once

#include <QDialog>
#include <memory>

namespace kolvane::converter {

struct ConverterContext;

namespace Ui {
class frmExplicacion;
}

class frmExplicacion final : public QDialog {
    Q_OBJECT
public:
    // The check box shows, and changes at once, context.showFixedColumnsNote
    // (ticked: not shown next time).
    explicit frmExplicacion(ConverterContext& context, QWidget* parent = nullptr);
    ~frmExplicacion() override;

private:
    std::unique_ptr<Ui::frmExplicacion> ui_;
};

} // namespace kolvane::converter
