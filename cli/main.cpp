// SPDX-License-Identifier: MIT
// kolvane-cli: the headless front end to the conversion engine.
#include "cli/Command.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return kolvane::cli::RunCommandLine(kolvane::cli::KolvaneCliCommands(), arguments);
}
