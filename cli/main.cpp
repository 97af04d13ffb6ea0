// SPDX-License-Identifier: MIT
// kolvane-cli: the headless front end to the conversion engine.
#include "cli/ConvertCommand.h"
#include "cli/ExitCodes.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const char* kVersion = "kolvane-cli 1.0.0\n";

void printUsage(std::FILE* out) {
    std::fputs("Usage:\n  ", out);
    std::fputs(kolvane::cli::kConvertUsage, out);
    std::fputs("  kolvane-cli --help | --version\n"
               "\n"
               "convert   converts the source file of a saved setup (a DST file) into ADIS text,\n"
               "          written to FILE (or standard output without -o, or with -o -).\n"
               "\n"
               "Exit status: 0 converted; 1 the conversion did not complete; 2 usage error, bad\n"
               "setup or missing source.\n",
               out);
}

int usageError(const std::string& message) {
    std::fprintf(stderr, "kolvane-cli: %s\n", message.c_str());
    std::fputs("Try 'kolvane-cli --help'.\n", stderr);
    return kolvane::cli::kExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.empty()) {
        printUsage(stderr);
        return kolvane::cli::kExitUsage;
    }
    const std::string& command = arguments.front();
    if (command == "--help" || command == "-h") {
        printUsage(stdout);
        return kolvane::cli::kExitSuccess;
    }
    if (command == "--version") {
        std::fputs(kVersion, stdout);
        return kolvane::cli::kExitSuccess;
    }
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (command == "convert") {
        for (const auto& argument : rest) {
            if (argument == "--help" || argument == "-h") {
                printUsage(stdout);
                return kolvane::cli::kExitSuccess;
            }
        }
        std::string error;
        const auto options = kolvane::cli::ParseConvertArguments(rest, error);
        return options ? kolvane::cli::RunConvert(*options) : usageError(error);
    }
    return usageError("unknown command " + command);
}
