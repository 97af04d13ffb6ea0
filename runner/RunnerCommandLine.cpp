// SPDX-License-Identifier: MIT
#include "runner/RunnerCommandLine.h"

#include <algorithm>

namespace kolvane {

std::vector<std::string> GetCommandLine(std::string_view commandText, int maxArgs) {
    std::vector<std::string> arguments;
    bool inArgument = false;
    for (const char c : commandText) {
        if (c == ' ' || c == '\t') {
            inArgument = false;
            continue;
        }
        if (!inArgument) {
            if (static_cast<int>(arguments.size()) >= maxArgs) {
                break;
            }
            arguments.emplace_back();
            inArgument = true;
        }
        arguments.back() += c;
    }
    return arguments;
}

bool RunnerArguments::namesDstFile() const {
    return dstPath.size() >= 3 && dstPath.ends_with("dst");
}

RunnerArguments ParseRunnerArguments(std::string_view commandText) {
    RunnerArguments parsed;
    parsed.arguments = GetCommandLine(commandText);
    const auto has = [&](const char* sw) {
        return std::find(parsed.arguments.begin(), parsed.arguments.end(), sw) !=
               parsed.arguments.end();
    };
    parsed.startWithoutConfirmation = has("-d");
    parsed.closeWithoutConfirmation = has("-c");
    if (!parsed.arguments.empty() && parsed.arguments.size() <= 3) {
        parsed.dstPath = parsed.arguments.back();
    }
    return parsed;
}

} // namespace kolvane
