// SPDX-License-Identifier: MIT
// Clock times of the source file into ADIS times (HHMMSS).
#pragma once

#include <string>
#include <string_view>

namespace kolvane {

// Always six characters: hours, minutes and seconds found by their separators
// ("/", "-", ".", ":", ","). Hours keep their last two digits, minutes and
// seconds their first two; missing digits are zeros on the left. Never fails.
std::string ConvertTime(std::string_view value);

// Appends the six characters of ConvertTime(value) to `out`.
void AppendConvertedTime(std::string& out, std::string_view value);

} // namespace kolvane
