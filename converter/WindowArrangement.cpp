// SPDX-License-Identifier: MIT
#include "converter/WindowArrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace kolvane::converter {

void TileSubWindows(QMdiArea& area, Qt::Orientation along) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : area.subWindowList()) {
        if (!window->isMinimized()) {
            windows << window;
        }
    }
    if (windows.isEmpty()) {
        return;
    }
    const QRect space = area.viewport()->rect();
    const int count = static_cast<int>(windows.size());
    for (int i = 0; i < count; ++i) {
        windows[i]->showNormal();
        if (along == Qt::Vertical) {
            const int height = space.height() / count;
            windows[i]->setGeometry(0, i * height, space.width(), height);
        } else {
            const int width = space.width() / count;
            windows[i]->setGeometry(i * width, 0, width, space.height());
        }
    }
}

void ArrangeMinimised(QMdiArea& area) {
    int left = 0;
    for (QMdiSubWindow* window : area.subWindowList()) {
        if (window->isMinimized()) {
            const QSize size = window->size();
            window->move(left, area.viewport()->height() - size.height());
            left += size.width();
        }
    }
}

} // namespace kolvane::converter
