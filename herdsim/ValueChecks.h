// SPDX-License-Identifier: MIT
// The checks of one value against its code: what the herd program accepts for
// each data type. Values arrive exactly as wide as their item; numbers may be
// right- or left-aligned with blanks, and decimals are implied (no separator).
#pragma once

#include "herdsim/CodeList.h"

#include <string>
#include <string_view>

namespace herdsim {

// A value of blanks only, or of "?" only (the ADIS null value), carries nothing
// and is not checked.
bool IsNoValue(std::string_view value);

// A number item whose digits are all zero.
bool IsZeroValue(const CodeItem& code, std::string_view value);

// Empty when the value is acceptable for the code, else a sentence saying why.
std::string CheckValue(const CodeItem& code, std::string_view value);

bool IsValidDate(std::string_view yyyymmdd);
bool IsValidTime(std::string_view hhmmss);

} // namespace herdsim
