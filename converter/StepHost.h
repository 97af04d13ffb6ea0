// SPDX-License-Identifier: MIT
// What the workflow asks of the main window: a place for the step windows,
// whose step buttons follow them (a step window that is open enables the next
// step; one that is active marks its own), and the window that dialogs belong to.
#pragma once

class QWidget;

namespace kolvane::converter {

class StepHost {
public:
    virtual ~StepHost() = default;

    // Shows `window` maximised in the document area, which owns it from now
    // on; `step` is its step (1, 3, 4 or 5).
    virtual void showStepWindow(QWidget& window, int step) = 0;
    virtual void markStep(int step) = 0;
    virtual QWidget* activeStepWindow() const = 0;
    virtual QWidget& dialogParent() = 0;
};

} // namespace kolvane::converter
