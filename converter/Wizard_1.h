// SPDX-License-Identifier: MIT
// The wizard's first window: a batch file or not, and its two switches
// (start and close without the user's confirmation).
#pragma once

#include "converter/WizardWindow.h"

#include <memory>

namespace kolvane::converter {

namespace Ui {
class Wizard_1;
}

class Wizard_1 final : public WizardWindow {
    Q_OBJECT
public:
    Wizard_1(ConverterContext& context, AutomationWizard& wizard, QWidget* parent = nullptr);
    ~Wizard_1() override;

private:
    void enableSwitches(bool batchFile);
    void next();

    std::unique_ptr<Ui::Wizard_1> ui_;
};

} // namespace kolvane::converter
