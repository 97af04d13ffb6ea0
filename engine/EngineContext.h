// SPDX-License-Identifier: MIT
// What engine operations need besides the import setup: the language of the
// messages, the user port, the number format, the clock, and a flag by which
// the caller stops a long operation.
#pragma once

#include "engine/Clock.h"
#include "engine/Numbers.h"
#include "engine/Status.h"
#include "engine/StringTable.h"
#include "engine/UserPort.h"

#include <atomic>

namespace kolvane {

struct EngineContext {
    const Language& language;
    UserPort& port;
    NumberFormat numbers;
    const Clock& clock;
    // When set, a long operation stops at its next row with ErrorCode::Cancelled.
    const std::atomic<bool>* stop = nullptr;

    bool stopRequested() const { return stop != nullptr && stop->load(std::memory_order_relaxed); }
};

// The status of an operation stopped on request.
inline Status StoppedStatus(const std::string& name) {
    return {ErrorCode::Cancelled, "stopped on request", name};
}

} // namespace kolvane
