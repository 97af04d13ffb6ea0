// SPDX-License-Identifier: MIT
#include "converter/StepWindow.h"

#include <QMdiSubWindow>

namespace kolvane::converter {

void CloseStepWindow(QWidget& window) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(window.parentWidget())) {
        frame->close();
    } else {
        window.close();
    }
}

} // namespace kolvane::converter
