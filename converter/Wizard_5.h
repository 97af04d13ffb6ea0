// SPDX-License-Identifier: MIT
// The wizard's last window: the explanation shown beside the automatic
// import; Finish ends the wizard.
#pragma once

#include "converter/WizardWindow.h"

#include <memory>

namespace kolvane::converter {

namespace Ui {
class Wizard_5;
}

class Wizard_5 final : public WizardWindow {
    Q_OBJECT
public:
    Wizard_5(ConverterContext& context, AutomationWizard& wizard, QWidget* parent = nullptr);
    ~Wizard_5() override;

private:
    void keepExplanation();

    std::unique_ptr<Ui::Wizard_5> ui_;
};

} // namespace kolvane::converter
