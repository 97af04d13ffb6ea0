// SPDX-License-Identifier: MIT
// The working window: a caption and the progress of a long operation (splitting,
// cutting, converting).
#pragma once

#include "gui/ProgressWindow.h"

#include <memory>

namespace kolvane {

class FormLocaliser;

namespace Ui {
class Trabajando;
}

class Trabajando final : public ProgressWindow {
    Q_OBJECT
public:
    explicit Trabajando(const FormLocaliser& localiser, QWidget* parent = nullptr);
    ~Trabajando() override;

private:
    std::unique_ptr<Ui::Trabajando> ui_;
};

} // namespace kolvane
