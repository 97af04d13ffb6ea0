// SPDX-License-Identifier: MIT
// A language, a recording port, a fixed clock and a number format for engine tests.
#pragma once

#include "engine/EngineContext.h"
#include "engine/ImportSetup.h"
#include "tests/support/RecordingPort.h"

#include <gtest/gtest.h>

namespace kolvane::testing {

class EngineFixture : public ::testing::Test {
protected:
    Language language{"EN"};
    RecordingPort port;
    FixedClock clock{std::chrono::year{2026} / std::chrono::December / 8};
    NumberFormat numbers{'.'};
    ImportSetup setup;

    EngineContext context() { return EngineContext{language, port, numbers, clock}; }
};

} // namespace kolvane::testing
