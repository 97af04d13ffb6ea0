// SPDX-License-Identifier: MIT
// What engine operations need besides the import setup: the language of the
// messages, the user port, the number format and the clock.
#pragma once

#include "engine/Clock.h"
#include "engine/Numbers.h"
#include "engine/StringTable.h"
#include "engine/UserPort.h"

namespace kolvane {

struct EngineContext {
    const Language& language;
    UserPort& port;
    NumberFormat numbers;
    const Clock& clock;
};

} // namespace kolvane
