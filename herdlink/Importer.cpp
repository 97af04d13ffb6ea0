// SPDX-License-Identifier: MIT
#include "herdlink/Importer.h"

#include "herdlink/Process.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace kolvane {
namespace {

std::string withoutExtension(const std::string& adisFile) {
    return adisFile.substr(0, adisFile.size() - 4); // ".ads"
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

std::string ImporterAdisFile(ImporterCommand command, const std::string& ownFolder) {
    return ownFolder + kPathSeparator +
           (command == ImporterCommand::RunnerImport ? "adis.ads" : "ADIS.ads");
}

std::string ImporterCommandLine(ImporterCommand command, const std::string& installFolder,
                                const std::string& ownFolder) {
    const std::string program = installFolder + kPathSeparator + kImporterProgram;
    const std::string file = '"' + withoutExtension(ImporterAdisFile(command, ownFolder)) + '"';
    return command == ImporterCommand::ConverterOpen ? program + " " + file
                                                     : program + " -a " + file;
}

// A located program takes the same switches as the installed one: "-a" to
// import, none to open, and the file in quotes, so a folder with blanks works.
std::string LocatedImporterCommandLine(ImporterCommand command, const std::string& program,
                                       const std::string& ownFolder) {
    const std::string file = '"' + withoutExtension(ImporterAdisFile(command, ownFolder)) + '"';
    const std::string quotedProgram = '"' + program + '"';
    return command == ImporterCommand::ConverterOpen ? quotedProgram + " " + file
                                                     : quotedProgram + " -a " + file;
}

ImporterRun StartImporter(ImporterCommand command, const std::string& commandLine) {
    ImporterRun run;
    if (command == ImporterCommand::RunnerImport) {
        const ProcessEnd end = RunAndWait(commandLine);
        run.status = end.status;
        run.exitCode = end.exitCode;
    } else {
        run.status = StartDetached(commandLine);
    }
    if (run.status.ok()) {
        run.outcome = ImporterRun::Outcome::Ran;
    } else if (run.status.code() == ErrorCode::FileNotFound) {
        run.outcome = ImporterRun::Outcome::ProgramMissing;
    }
    return run;
}

std::optional<std::string> FindImporterResult(const std::string& installFolder) {
    std::error_code ec;
    for (std::filesystem::directory_iterator entry(installFolder, ec), end; !ec && entry != end;
         entry.increment(ec)) {
        if (sameIgnoringCase(entry->path().filename().string(), kImporterResult) &&
            entry->is_regular_file(ec)) {
            return entry->path().string();
        }
    }
    return std::nullopt;
}

} // namespace kolvane
