// SPDX-License-Identifier: MIT
// Data files built into the programs, so an install cannot lose them.
#pragma once

#include <string_view>

namespace herdsim::embedded {

std::string_view CodeListText();     // resources/aded-items.tsv
std::string_view TranslationsText(); // herdsim/translations.tsv (UTF-8)

} // namespace herdsim::embedded
