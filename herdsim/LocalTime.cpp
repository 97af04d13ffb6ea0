// SPDX-License-Identifier: MIT
// The local time as the report states it.
#include "herdsim/LocalTime.h"

#include <ctime>

namespace herdsim {

std::string LocalTimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32] = {};
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

} // namespace herdsim
