// SPDX-License-Identifier: MIT
// What the converter's step windows share: they are plain widgets that the
// main window puts into its document area, inside a frame of its own.
#pragma once

class QWidget;

namespace kolvane::converter {

// Closes a step window: the document area's frame around it when it has one
// (closing only the widget would leave an empty frame), else the window.
void CloseStepWindow(QWidget& window);

} // namespace kolvane::converter
