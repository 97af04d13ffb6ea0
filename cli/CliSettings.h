// SPDX-License-Identifier: MIT
// What every command takes from the settings store: the language of the
// messages (unless --language names one).
#pragma once

#include "cli/Options.h"
#include "storage/RegistryBackend.h"

#include <memory>
#include <optional>
#include <string>

namespace kolvane::cli {

struct CliSettings {
    // A store that cannot be used is told once, on standard error.
    CliSettings();
    std::unique_ptr<RegistryBackend> registry = OpenUserRegistry();
    // The stored "Language" (default "EN"), or `chosen` when given.
    std::string languageCode(const std::optional<std::string>& chosen);
};

// --language, which every command that speaks takes.
OptionDefinition LanguageOption();

} // namespace kolvane::cli
