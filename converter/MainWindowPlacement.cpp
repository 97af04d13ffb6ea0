// SPDX-License-Identifier: MIT
#include "converter/MainWindowPlacement.h"

#include <algorithm>

namespace kolvane::converter {

QRect GeometryFromTwips(const WindowPlacement& placement) {
    return {placement.left / kTwipsPerPixel, placement.top / kTwipsPerPixel,
            placement.width / kTwipsPerPixel, placement.height / kTwipsPerPixel};
}

WindowPlacement TwipsFromGeometry(const QRect& geometry) {
    return {geometry.left() * kTwipsPerPixel, geometry.top() * kTwipsPerPixel,
            geometry.width() * kTwipsPerPixel, geometry.height() * kTwipsPerPixel};
}

QRect KeptOnScreens(const QRect& geometry, const QList<QRect>& screens) {
    if (screens.isEmpty()) {
        return geometry;
    }
    for (const QRect& screen : screens) {
        if (screen.contains(geometry.center())) {
            return geometry;
        }
    }
    const QRect& primary = screens.front();
    const QSize size(std::min(std::max(geometry.width(), 200), primary.width()),
                     std::min(std::max(geometry.height(), 150), primary.height()));
    QRect moved(primary.topLeft(), size);
    moved.moveCenter(primary.center());
    return moved;
}

} // namespace kolvane::converter
