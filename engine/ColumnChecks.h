// SPDX-License-Identifier: MIT
// What finishing the column assignment does before the ADIS text is built: the
// column table is fitted to the source, unassigned columns become "not
// imported", and the index codes that imported codes need are checked.
#pragma once

#include "engine/EngineContext.h"
#include "engine/ImportSetup.h"

#include <functional>
#include <optional>
#include <string>

namespace kolvane {

// One entry per source column plus a spare; every empty Mnemonic becomes the
// "not imported" text; an imported column without Width or Decimals takes the
// recommended value.
void PrepareColumnTable(ImportSetup& setup, const Language& language, int sourceColumnCount);

// Finds the mnemonic of a code by its ADIS number in the code dictionary.
using IndexMnemonicLookup = std::function<std::optional<std::string>(std::string_view itemNumber)>;

// The index rule: every imported code needs its index code in another column.
// Reports the first entry that breaks it through the port and returns false
// only when the user cancels.
bool CheckRequiredIndexes(const ImportSetup& setup, const Language& language, UserPort& port,
                          const IndexMnemonicLookup& lookup);

// The value of RequiredIndex that means "no usable index".
inline constexpr std::string_view kNoIndex = "         0";

} // namespace kolvane
