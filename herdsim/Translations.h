// SPDX-License-Identifier: MIT
// The herd program's texts 36001 to 36061 in Spanish, English, German and
// French, which the automation server hands out by number.
#pragma once

#include "engine/Status.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace herdsim {

enum class Language { Spanish, English, German, French };

// The language a stored setting names ("SP", "EN", "DE", "FR", in any letter
// case, blanks around allowed); English when there is none or it is unknown.
Language LanguageFromSetting(const std::optional<std::string>& setting);

class Translations {
public:
    static constexpr long kFirst = 36001;
    static constexpr long kLast = 36061;

    // Reads the tab-separated table (number, SP, EN, DE, FR) in UTF-8. Every
    // number from kFirst to kLast must be there once, with four non-empty texts.
    static kolvane::Status Parse(std::string_view utf8, Translations& translations);
    // The table built into the server (herdsim/translations.tsv).
    static Translations BuiltIn();

    // The text in the ANSI code page; nothing for a number outside the table.
    std::optional<std::string> text(long number, Language language) const;

private:
    std::map<long, std::array<std::string, 4>> texts_;
};

} // namespace herdsim
