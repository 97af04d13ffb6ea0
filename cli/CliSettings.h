// SPDX-License-Identifier: MIT
// What every command takes from the settings store: the language of the
// messages (unless --language names one).
#pragma once

#include "storage/RegistryBackend.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kolvane::cli {

struct CliSettings {
    std::unique_ptr<RegistryBackend> registry = OpenUserRegistry();
    // The stored "Language" (default "EN"), or `chosen` when given.
    std::string languageCode(const std::optional<std::string>& chosen);
};

// Reads a "--name VALUE" option; false (and `error` set) when the value is missing.
bool TakeValue(const std::vector<std::string>& arguments, std::size_t& i, std::string& value,
               std::string& error);

// "SP", "EN", "DE" or "FR"; false, with `error` set, for anything else.
bool CheckLanguageCode(const std::string& code, std::string& error);

// Collects an argument that is no option (a file); false, with `error` set, for
// an unknown option.
bool TakeFileArgument(const std::string& argument, std::vector<std::string>& files,
                      std::string& error);
// The one DST file of a command; nothing, with `error` set, for none or several.
std::optional<std::string> SingleDstFile(const std::vector<std::string>& files, std::string& error);

} // namespace kolvane::cli
