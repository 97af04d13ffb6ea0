// SPDX-License-Identifier: MIT
// The wizard's second window: the name of the automatic import (and of its
// batch file).
#pragma once

#include "converter/WizardWindow.h"

#include <memory>

namespace kolvane::converter {

namespace Ui {
class Wizard_2;
}

class Wizard_2 final : public WizardWindow {
    Q_OBJECT
public:
    Wizard_2(ConverterContext& context, AutomationWizard& wizard, QWidget* parent = nullptr);
    ~Wizard_2() override;

private:
    std::unique_ptr<Ui::Wizard_2> ui_;
};

} // namespace kolvane::converter
