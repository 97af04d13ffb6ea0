// SPDX-License-Identifier: MIT
#include "cli/CliSettings.h"

#include "storage/Settings.h"

#include <cstdio>

namespace kolvane::cli {

CliSettings::CliSettings() {
    if (const auto problem = registry->problem()) {
        std::fprintf(stderr, "kolvane-cli: %s\n", problem->c_str());
    }
}

std::string CliSettings::languageCode(const std::optional<std::string>& chosen) {
    if (chosen) {
        return *chosen;
    }
    return Settings(*registry).language();
}

OptionDefinition LanguageOption() {
    return {.name = "language",
            .valueName = "L",
            .help = "the messages' language (default: the stored one)",
            .choices = {"SP", "EN", "DE", "FR"}};
}

} // namespace kolvane::cli
