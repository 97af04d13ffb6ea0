// SPDX-License-Identifier: MIT
// The icons of the converter's step toolbar and tool toolbar: small SVG
// drawings (resources/icons/) compiled into the toolbar library, drawn for
// 24 px. Qt's SVG icon engine (libqt6svg6) renders them at any size.
#pragma once

#include <QIcon>
#include <QStringList>

namespace kolvane::toolbar {

namespace icon {
// The eight steps, in the order of the step toolbar.
inline constexpr char AsciiFile[] = ":/icons/ascii-file.svg";
inline constexpr char Setup[] = ":/icons/setup.svg";
inline constexpr char FixedColumns[] = ":/icons/fixed-columns.svg";
inline constexpr char Codes[] = ":/icons/codes.svg";
inline constexpr char AdisFile[] = ":/icons/adis-file.svg";
inline constexpr char ToHerdSoftware[] = ":/icons/to-herd-software.svg";
inline constexpr char BuildAutomation[] = ":/icons/build-automation.svg";
inline constexpr char OpenDataExchange[] = ":/icons/open-data-exchange.svg";
// The tool toolbar.
inline constexpr char OpenFile[] = ":/icons/open-file.svg";
inline constexpr char OpenDst[] = ":/icons/open-dst.svg";
inline constexpr char Save[] = ":/icons/save.svg";
inline constexpr char CloseProcess[] = ":/icons/close-process.svg";
inline constexpr char Exit[] = ":/icons/exit.svg";
} // namespace icon

// The icon at one of the paths above (the library's resources are registered
// on first use, also where the library is linked statically).
QIcon ToolbarIcon(const char* path);

// Every path above, steps first.
QStringList ToolbarIconPaths();

} // namespace kolvane::toolbar
