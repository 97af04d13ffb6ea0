// SPDX-License-Identifier: MIT
#include "engine/Horas.h"

#include <gtest/gtest.h>

namespace kolvane {
namespace {

TEST(ConvertTime, Examples) {
    const std::pair<const char*, const char*> cases[] = {
        {"7:05", "070500"},
        {"07.05.30", "070530"},
        {"14-30", "143000"},
        {"2003 14:30", "143000"},
        {"", "000000"},
        {"12h30", "300000"},
        {"7:5", "070500"},
        {":30", "003000"},
        {"7.05:30", "070530"},
        {"25:75", "257500"},
        {"123:456:789", "234578"},
        {"1::5", "010005"},
        {"7,5/9", "070509"},
        {"10:20:30:40", "102030"},
        {"ab:cd", "000000"},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(ConvertTime(value), expected) << '"' << value << '"';
    }
}

} // namespace
} // namespace kolvane
