// SPDX-License-Identifier: MIT
#include "cli/CliSettings.h"

#include "storage/WinReg.h"

namespace kolvane::cli {

std::string CliSettings::languageCode(const std::optional<std::string>& chosen) {
    if (chosen) {
        return *chosen;
    }
    WinReg settings(*registry);
    return settings.Leer_Setting("Language", "EN", 2);
}

OptionSpec LanguageOption() {
    return {.name = "language",
            .valueName = "L",
            .help = "the messages' language (default: the stored one)",
            .choices = {"SP", "EN", "DE", "FR"}};
}

} // namespace kolvane::cli
