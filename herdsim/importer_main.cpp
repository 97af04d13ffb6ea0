// SPDX-License-Identifier: MIT
// HXDataExchange.exe: herdsim's ADIS importer.
#include "herdsim/ImporterCommand.h"
#include "herdsim/LocalTime.h"
#include "storage/ProgramFolder.h"

#include <iostream>

int main(int argc, char* argv[]) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return herdsim::RunImporterCommand(arguments, kolvane::ProgramFolder(),
                                       herdsim::LocalTimeText(), std::cout, std::cerr);
}
