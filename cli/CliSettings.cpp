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

bool TakeValue(const std::vector<std::string>& arguments, std::size_t& i, std::string& value,
               std::string& error) {
    if (i + 1 >= arguments.size()) {
        error = arguments[i] + " needs a value";
        return false;
    }
    value = arguments[++i];
    return true;
}

bool CheckLanguageCode(const std::string& code, std::string& error) {
    if (code == "SP" || code == "EN" || code == "DE" || code == "FR") {
        return true;
    }
    error = "--language takes SP, EN, DE or FR";
    return false;
}

bool TakeFileArgument(const std::string& argument, std::vector<std::string>& files,
                      std::string& error) {
    if (argument.size() > 1 && argument.front() == '-') {
        error = "unknown option " + argument;
        return false;
    }
    files.push_back(argument);
    return true;
}

std::optional<std::string> SingleDstFile(const std::vector<std::string>& files,
                                         std::string& error) {
    if (files.size() != 1) {
        error = files.empty() ? "the DST file is missing" : "only one DST file can be given";
        return std::nullopt;
    }
    return files.front();
}

} // namespace kolvane::cli
