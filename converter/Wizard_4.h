// SPDX-License-Identifier: MIT
// The wizard's fourth window: the fixed source file's path.
#pragma once

#include "converter/WizardWindow.h"

#include <memory>

namespace kolvane::converter {

namespace Ui {
class Wizard_4;
}

class Wizard_4 final : public WizardWindow {
    Q_OBJECT
public:
    Wizard_4(ConverterContext& context, AutomationWizard& wizard, QWidget* parent = nullptr);
    ~Wizard_4() override;

private:
    std::unique_ptr<Ui::Wizard_4> ui_;
};

} // namespace kolvane::converter
