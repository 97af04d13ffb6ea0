// SPDX-License-Identifier: MIT
// The herd software's importer program, HXDataExchange.exe in its install
// folder: how both programs start it, starting it, and finding the result file
// it leaves behind.
#pragma once

#include "engine/Status.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

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

// One start of the importer: the program, "-a" for the imports, and the ADIS
// file's path without ".ads". `arguments` are what is started (the program
// first, nothing split again, so blanks and any letters in the folders are
// safe); `displayText` is the same as a Windows command line, with the program
// and the file in double quotes.
struct ImporterInvocation {
    std::vector<std::string> arguments;
    std::string displayText;
};

// The program in the install folder.
ImporterInvocation ImporterCommandLine(ImporterCommand command, const std::string& installFolder,
                                       const std::string& ownFolder);
// A program the user located by hand: the same switches as the installed one.
ImporterInvocation LocatedImporterCommandLine(ImporterCommand command, const std::string& program,
                                              const std::string& ownFolder);

struct ImporterRun {
    enum class Outcome { Ran, ProgramMissing, NotStarted };
    Outcome outcome = Outcome::NotStarted;
    Status status;         // why it did not run
    int exitCode = -1;     // when it ran and was waited for
    int signal = 0;        // the signal that ended it (a crash)
    bool timedOut = false; // it ran past its time limit and was ended
};

// Starts an invocation built above: waits for the runner's import (what the
// importer prints goes to standard error), not for the converter's commands.
// A missing program is its own outcome (no other place is searched).
// The runner's import is ended when it runs longer than `limit`.
ImporterRun StartImporter(ImporterCommand command, const ImporterInvocation& invocation,
                          std::optional<std::chrono::milliseconds> limit = std::nullopt);

// The result file in the install folder, its name matched without regard to
// letter case; nothing when there is none.
std::optional<std::string> FindImporterResult(const std::string& installFolder);

} // namespace kolvane
