// SPDX-License-Identifier: MIT
// The time an import states in its report.
#pragma once

#include <string>

namespace herdsim {

// The local time as "2024-05-01 10:22:33".
std::string LocalTimeText();

} // namespace herdsim
