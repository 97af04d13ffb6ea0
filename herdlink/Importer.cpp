// SPDX-License-Identifier: MIT
#include "herdlink/Importer.h"

#include "herdlink/Process.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <unistd.h>

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

std::string quoted(const std::string& text) {
    return '"' + text + '"';
}

ImporterInvocation invocationOf(ImporterCommand command, const std::string& program,
                                const std::string& ownFolder) {
    const std::string file = withoutExtension(ImporterAdisFile(command, ownFolder));
    if (command == ImporterCommand::ConverterOpen) {
        return {{program, file}, quoted(program) + " " + quoted(file)};
    }
    return {{program, "-a", file}, quoted(program) + " -a " + quoted(file)};
}

} // namespace

std::string ImporterAdisFile(ImporterCommand command, const std::string& ownFolder) {
    return ownFolder + kPathSeparator +
           (command == ImporterCommand::RunnerImport ? "adis.ads" : "ADIS.ads");
}

ImporterInvocation ImporterCommandLine(ImporterCommand command, const std::string& installFolder,
                                       const std::string& ownFolder) {
    return invocationOf(command, installFolder + kPathSeparator + kImporterProgram, ownFolder);
}

ImporterInvocation LocatedImporterCommandLine(ImporterCommand command, const std::string& program,
                                              const std::string& ownFolder) {
    return invocationOf(command, program, ownFolder);
}

ImporterRun StartImporter(ImporterCommand command, const ImporterInvocation& invocation,
                          std::optional<std::chrono::milliseconds> limit) {
    ImporterRun run;
    if (command == ImporterCommand::RunnerImport) {
        // Standard output belongs to this program's own results.
        StartOptions options;
        options.output = ProcessStream::Descriptor(STDERR_FILENO);
        const ProcessEnd end = RunAndWait(invocation.arguments, options, limit);
        run.status = end.status;
        run.exitCode = end.exitCode;
        run.signal = end.signal;
        run.timedOut = end.timedOut;
    } else {
        StartOptions options;
        options.input = ProcessStream::Discard();
        options.output = ProcessStream::Discard();
        options.error = ProcessStream::Discard();
        run.status = StartDetached(invocation.arguments, options);
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
