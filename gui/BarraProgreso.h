// SPDX-License-Identifier: MIT
// The progress window: a caption and the progress of loading the code lists.
#pragma once

#include "gui/ProgressWindow.h"

#include <memory>

namespace kolvane {

class FormLocaliser;

namespace Ui {
class BarraProgreso;
}

class BarraProgreso final : public ProgressWindow {
    Q_OBJECT
public:
    explicit BarraProgreso(const FormLocaliser& localiser, QWidget* parent = nullptr);
    ~BarraProgreso() override;

private:
    std::unique_ptr<Ui::BarraProgreso> ui_;
};

} // namespace kolvane
