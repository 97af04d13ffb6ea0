// SPDX-License-Identifier: MIT
// The registered automatic imports as the windows that choose one show them:
// a combo box of the setup files, and the chosen file's explanation.
#pragma once

#include "storage/AutomaticImportList.h"

class QComboBox;
class QPlainTextEdit;

namespace kolvane {
class Language;
}

namespace kolvane::converter {

// Lists the entries with none chosen; the drop-down is as wide as the longest.
void FillAutomationChoice(QComboBox& choice, const AutomationList& list);

// The explanation of entry `entry` (0-based), text 103 for a missing file,
// nothing when no entry is chosen.
void ShowAutomationExplanation(QPlainTextEdit& box, const AutomationList& list, int entry,
                               const Language& language);

} // namespace kolvane::converter
