// SPDX-License-Identifier: MIT
// The one place where text and paths cross between the engine and the
// windows. Text inside the engine is bytes in the ANSI code page; paths are
// not text: they are the file system's own bytes (UTF-8 on Linux), so a folder
// named after a farmer called Müller must never pass through the ANSI bridge.
#pragma once

#include "engine/Status.h"

#include <QString>
#include <string>
#include <string_view>

namespace kolvane {

class Language;

QString FromAnsi(std::string_view ansi);
std::string ToAnsi(const QString& text);

// A path for the engine and back, through the file system's encoding.
std::string ToPath(const QString& path);
QString FromPath(std::string_view path);

// A status for a window, in the user's language: its path through the path
// bridge, its message through the text bridge.
QString DescribeStatus(const Status& status, const Language& language);

} // namespace kolvane
