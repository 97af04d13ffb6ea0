// SPDX-License-Identifier: MIT
// The main window's placement as the settings keep it (twips) and as the
// screen shows it (pixels), kept on a screen that still exists.
#pragma once

#include "storage/Settings.h"

#include <QList>
#include <QRect>

namespace kolvane::converter {

// Twips per pixel at the desktop's usual 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;

QRect GeometryFromTwips(const WindowPlacement& placement);
WindowPlacement TwipsFromGeometry(const QRect& geometry);

// `geometry` when its middle lies on one of `screens` (their available
// areas), else moved onto the first (the primary) and shrunk to fit there: a
// position saved on a monitor that is gone must not hide the window.
QRect KeptOnScreens(const QRect& geometry, const QList<QRect>& screens);

} // namespace kolvane::converter
