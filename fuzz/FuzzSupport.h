// SPDX-License-Identifier: MIT
// What every fuzz target shares: an engine context that shows nothing, and a
// check that turns a broken invariant into a crash libFuzzer reports.
#pragma once

#include "engine/EngineContext.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace kolvane::fuzz {

// Answers every message with its first button and records nothing, so that a
// run costs only the parsing.
struct QuietEngine {
    Language language{"EN"};
    SilentPort port;
    FixedClock clock{std::chrono::year{2026} / std::chrono::December / 8};

    EngineContext context(char decimalSeparator = '.') {
        return EngineContext{language, port, NumberFormat{decimalSeparator}, clock};
    }
};

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Aborts with `what` when an invariant does not hold.
inline void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

} // namespace kolvane::fuzz
