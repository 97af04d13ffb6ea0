// SPDX-License-Identifier: MIT
// Keyboard mnemonics for the buttons and check boxes of a localised window:
// the texts come from the string table without them, so each control gets the
// first letter of its text that no other control of the window uses yet.
#pragma once

class QWidget;

namespace kolvane::converter {

// Call after the window's texts are localised; a text that already holds a
// mnemonic keeps it.
void AddButtonMnemonics(QWidget& window);

} // namespace kolvane::converter
