// SPDX-License-Identifier: MIT
// Conversion between the ANSI code page (Windows-1252) and UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace kolvane {

// Every byte of Windows-1252 maps to one character; the five unassigned bytes
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value, so a
// round trip through UTF-8 never loses a byte.
std::string AnsiToUtf8(std::string_view ansi);

// Characters that Windows-1252 cannot hold, and malformed UTF-8, become '?'.
std::string Utf8ToAnsi(std::string_view utf8);

} // namespace kolvane
