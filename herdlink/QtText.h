// SPDX-License-Identifier: MIT
// The one place where text crosses between the ANSI bytes of the engine and
// the QString of the windows.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace kolvane {

QString FromAnsi(std::string_view ansi);
std::string ToAnsi(const QString& text);

} // namespace kolvane
