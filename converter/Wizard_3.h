// SPDX-License-Identifier: MIT
// The wizard's third window: one fixed source file, or ask for it at each run.
#pragma once

#include "converter/WizardWindow.h"

#include <memory>

namespace kolvane::converter {

namespace Ui {
class Wizard_3;
}

class Wizard_3 final : public WizardWindow {
    Q_OBJECT
public:
    Wizard_3(ConverterContext& context, AutomationWizard& wizard, QWidget* parent = nullptr);
    ~Wizard_3() override;

private:
    void keepChoice();

    std::unique_ptr<Ui::Wizard_3> ui_;
};

} // namespace kolvane::converter
