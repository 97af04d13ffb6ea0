// SPDX-License-Identifier: MIT
// The herd software's importer program, HXDataExchange.exe in its install
// folder: the command lines both programs give it, starting it, and finding
// the result file it leaves behind.
#pragma once

#include "engine/Status.h"

#include <optional>
#include <string>

namespace kolvane {

#if defined(_WIN32)
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

enum class ImporterCommand {
    RunnerImport,    // the runner's unattended import of "adis.ads"; waited for
    ConverterImport, // the converter's import of "ADIS.ads"; not waited for
    ConverterOpen,   // the converter opens the importer on "ADIS.ads" for the user
};

inline constexpr const char* kImporterProgram = "HXDataExchange.exe";
inline constexpr const char* kImporterResult = "HXDataExchange.ads";

// The ADIS file a command hands over: "adis.ads" (runner) or "ADIS.ads"
// (converter) in the program's own folder.
std::string ImporterAdisFile(ImporterCommand command, const std::string& ownFolder);

// The command line: the program in the install folder, "-a" for the imports,
// and the ADIS file's path without ".ads" in double quotes.
std::string ImporterCommandLine(ImporterCommand command, const std::string& installFolder,
                                const std::string& ownFolder);
// The same for a program the user located by hand.
std::string LocatedImporterCommandLine(ImporterCommand command, const std::string& program,
                                       const std::string& ownFolder);

struct ImporterRun {
    enum class Outcome { Ran, ProgramMissing, NotStarted };
    Outcome outcome = Outcome::NotStarted;
    Status status;     // why it did not run
    int exitCode = -1; // when it ran and was waited for
};

// Starts a command line built above: waits for the runner's import, not for
// the converter's commands. A missing program is its own outcome (no other
// place is searched).
ImporterRun StartImporter(ImporterCommand command, const std::string& commandLine);

// The result file in the install folder, its name matched without regard to
// letter case; nothing when there is none.
std::optional<std::string> FindImporterResult(const std::string& installFolder);

} // namespace kolvane
