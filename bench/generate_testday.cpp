// SPDX-License-Identifier: MIT
// Writes a test-day source file of N rows and the DST setup that imports it.
//   generate_testday ROWS SOURCE.txt SETUP.dst
#include "bench/TestDayData.h"
#include "engine/ColumnChecks.h"
#include "engine/StringTable.h"
#include "storage/DstWriter.h"

#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: generate_testday ROWS SOURCE.txt SETUP.dst\n";
        return 2;
    }
    const std::uint64_t rows = std::stoull(argv[1]);
    {
        std::ofstream source(argv[2], std::ios::binary | std::ios::trunc);
        kolvane::bench::WriteTestDayFile(source, rows, 20261208);
        if (!source) {
            std::cerr << argv[2] << ": cannot be written\n";
            return 1;
        }
    }
    kolvane::ImportSetup setup = kolvane::bench::TestDaySetup(argv[2]);
    const kolvane::Language language("EN");
    kolvane::PrepareColumnTable(setup, language, 10); // the spare entry is "not imported"
    const kolvane::Status written =
        kolvane::WriteDstFile(setup, language, argv[3], setup.SourceFilePath);
    if (!written.ok()) {
        std::cerr << written.describe() << '\n';
        return 1;
    }
    return 0;
}
