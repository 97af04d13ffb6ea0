// SPDX-License-Identifier: MIT
// What the five windows of the automatic-import wizard share: each shows the
// wizard's current values when it opens, writes back what was entered on
// Next and Previous, and ends modally with the move the user chose. Closing a
// window by its frame (or Esc) ends the whole wizard.
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;

namespace kolvane {
struct AutomationWizard;
}

namespace kolvane::converter {

struct ConverterContext;

class WizardWindow : public QDialog {
    Q_OBJECT
public:
    enum class Move { Next, Previous, Closed };

    // Shows the window modally until the user moves on, back or away.
    Move run();

protected:
    WizardWindow(ConverterContext& context, AutomationWizard& wizard, QWidget* parent);
    // Once the form is set up: its texts in the current language.
    void localise();
    void goNext();
    void goBack();
    // Next from a window with one required text (a name, a path): while the
    // box is empty the user is told `message` and the window stays.
    void nextWithText(QLineEdit& box, std::string& field, int message);
    // Previous from such a window: a text that was entered is kept.
    void backWithText(const QLineEdit& box, std::string& field);

    ConverterContext& context_;
    AutomationWizard& wizard_;
};

} // namespace kolvane::converter
