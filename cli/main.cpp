// SPDX-License-Identifier: MIT
// kolvane-cli: the headless front end to the conversion engine.
#include "cli/CodesCommand.h"
#include "cli/ConvertCommand.h"
#include "cli/ExitCodes.h"
#include "cli/ImportsCommand.h"
#include "cli/RunCommand.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const char* kVersion = "kolvane-cli 1.0.0\n";

void printUsage(std::FILE* out) {
    std::fputs("Usage:\n", out);
    std::fputs(kolvane::cli::kConvertUsage, out);
    std::fputs(kolvane::cli::kCodesUsage, out);
    std::fputs(kolvane::cli::kImportsUsage, out);
    std::fputs(kolvane::cli::kRunUsage, out);
    std::fputs("kolvane-cli --help | --version\n"
               "\n"
               "convert   converts the source file of a saved setup (a DST file) into ADIS text,\n"
               "          written to FILE (or standard output without -o, or with -o -).\n"
               "codes     lists the code dictionary, or the codes whose description, mnemonic or\n"
               "          numbers hold TEXT; --import refills it from the herd software.\n"
               "imports   lists the registered automatic imports, or removes one (its setup file\n"
               "          is deleted, its batch file stays).\n"
               "run       runs an automatic import as the runner does: converts into adis.ads,\n"
               "          starts the herd software's importer and prints its outcome.\n"
               "\n"
               "Messages go to standard error, in the language of the settings (KOLVANE_REGISTRY\n"
               "names the settings file). Exit status: 0 done; 1 the work did not complete;\n"
               "2 usage error, bad or missing setup, source or entry, or the importer could not\n"
               "be started; 3 (run) the importer reported errors or warnings.\n",
               out);
}

int usageError(const std::string& message) {
    std::fprintf(stderr, "kolvane-cli: %s\n", message.c_str());
    std::fputs("Try 'kolvane-cli --help'.\n", stderr);
    return kolvane::cli::kExitUsage;
}

bool asksForHelp(const std::vector<std::string>& arguments) {
    return std::any_of(arguments.begin(), arguments.end(),
                       [](const std::string& a) { return a == "--help" || a == "-h"; });
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.empty()) {
        printUsage(stderr);
        return kolvane::cli::kExitUsage;
    }
    const std::string& command = arguments.front();
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (command == "--version") {
        std::fputs(kVersion, stdout);
        return kolvane::cli::kExitSuccess;
    }
    if (asksForHelp(arguments)) {
        printUsage(stdout);
        return kolvane::cli::kExitSuccess;
    }
    if (command == "convert") {
        std::string error;
        const auto options = kolvane::cli::ParseConvertArguments(rest, error);
        return options ? kolvane::cli::RunConvert(*options) : usageError(error);
    }
    if (command == "codes") {
        return kolvane::cli::RunCodes(rest);
    }
    if (command == "imports") {
        return kolvane::cli::RunImports(rest);
    }
    if (command == "run") {
        return kolvane::cli::RunAutomaticImport(rest);
    }
    return usageError("unknown command " + command);
}
