// SPDX-License-Identifier: MIT
#include "herdlink/AutomaticRun.h"

#include "engine/Crea_Adis.h"
#include "engine/Dates.h"
#include "engine/FindingsReport.h"
#include "engine/Messages.h"
#include "engine/Numbers.h"
#include "storage/AtomicFile.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <vector>

namespace kolvane {

SendDateRule RunnerSendDateRule(const ImportSetup& setup) {
    if (setup.UseTodayAsSendDate) {
        return SendDateRule::Today;
    }
    return setup.AskSendDate ? SendDateRule::AskUser : SendDateRule::None;
}

void UseTodayAsSendDate(ImportSetup& setup, const Clock& clock) {
    const std::string& pattern =
        setup.DatePattern.empty() ? setup.DateFormatName : setup.DatePattern;
    setup.SendDate = FormatTodayByPattern(pattern, clock);
}

RunnerConversion ConvertForRunner(ImportSetup& setup, const EngineContext& context,
                                  const std::string& sourcePath, const std::string& adisPath) {
    RunnerConversion conversion;
    AtomicFileWriter file;
    if (Status opened = file.open(adisPath); !opened.ok()) {
        conversion.outcome = SourceReadResult::Outcome::Failed;
        conversion.status = opened;
        return conversion;
    }
    AtomicFileSink sink(file);
    ConversionOptions options;
    options.variant = AdisVariant::Runner;
    options.source = kRunnerSourceLoad;
    options.source.showProgress = true;
    options.source.progressCaption = msg::ConvertingToAdis;
    const ConversionResult result =
        ConvertSourceToAdis(setup, context, SourceData::file(sourcePath), options, sink);
    conversion.outcome = result.readOutcome;
    conversion.status = result.status;
    conversion.rows = result.rows;
    conversion.datesNotTranslated = setup.DateConversionFailed;
    conversion.findings = result.findings;
    conversion.sourcePath = sourcePath;
    conversion.sourceLines = result.sourceLines;
    // The stored header's lines come first; the value lines follow it.
    conversion.firstValueLine = static_cast<long>(std::count(setup.StoredAdisHeader.begin(),
                                                             setup.StoredAdisHeader.end(), '\n')) +
                                2;
    if (result.readOutcome == SourceReadResult::Outcome::NoLines ||
        (result.status.ok() && result.rows == 0)) {
        // An import of nothing is no success: nothing is handed to the
        // importer, and the earlier file stays as it was.
        conversion.outcome = SourceReadResult::Outcome::NoLines;
        conversion.status =
            Status(ErrorCode::NoLinesToImport, "No lines to be imported.", sourcePath)
                .withMessage(msg::NoLinesToImport);
        return conversion;
    }
    if (conversion.status.ok()) {
        conversion.status = file.commit();
    }
    return conversion;
}

std::optional<std::chrono::minutes> ParseImporterTimeout(std::string_view text) {
    if (const auto minutes = WholeNumberIn(text, 1, kMaxImporterTimeoutMinutes)) {
        return std::chrono::minutes(*minutes);
    }
    return std::nullopt;
}

std::string ImporterTimeoutProblem(std::string_view text, const std::string& where) {
    return where + ": \"" + std::string(text) +
           "\" is not a time limit for the importer; give whole minutes from 1 to " +
           std::to_string(kMaxImporterTimeoutMinutes);
}

namespace {

// How the importer ended when that is the news: ended at its time limit, or by a signal.
// "120 minutes"; a limit of seconds (as tests give) in seconds.
std::string limitText(std::chrono::milliseconds limit) {
    using namespace std::chrono;
    const bool inMinutes = limit % minutes(1) == milliseconds(0);
    const long long count =
        inMinutes ? duration_cast<minutes>(limit).count() : duration_cast<seconds>(limit).count();
    return std::to_string(count) + (inMinutes ? " minute" : " second") + (count == 1 ? "" : "s");
}

std::string importerEnd(const ImporterRun& run, std::chrono::milliseconds limit) {
    if (run.timedOut) {
        return "The importer did not end within " + limitText(limit) +
               " (the setting ImporterTimeout) and was ended. The herd database may "
               "hold part of this import: look at it before importing the file again.";
    }
    if (run.signal != 0) {
        const char* name = ::strsignal(run.signal);
        return "The importer crashed: it was ended by signal " + std::to_string(run.signal) +
               (name != nullptr ? " (" + std::string(name) + ")" : std::string()) + ".";
    }
    return {};
}

} // namespace

RunnerImport ImportAndReadReport(const std::string& installFolder, const std::string& ownFolder,
                                 const std::function<void(int lineCounter)>& onGroup,
                                 const GroupNote& note, std::chrono::milliseconds limit) {
    RunnerImport result;
    while (const auto stale = FindImporterResult(installFolder)) {
        std::error_code ec;
        if (!std::filesystem::remove(*stale, ec) || ec) {
            result.report.details = "The result file of an earlier import cannot be removed (" +
                                    *stale + "): " + ec.message();
            return result;
        }
    }
    result.run = StartImporter(
        ImporterCommand::RunnerImport,
        ImporterCommandLine(ImporterCommand::RunnerImport, installFolder, ownFolder), limit);
    if (result.run.outcome != ImporterRun::Outcome::Ran) {
        result.report.details =
            "The importer program could not be started: " + result.run.status.describe();
        return result;
    }
    const std::optional<std::string> resultFile = FindImporterResult(installFolder);
    result.report = Revisar_Resultado(resultFile, onGroup, note);
    std::string ending = importerEnd(result.run, limit);
    if (ending.empty() && !resultFile && result.run.exitCode > 0) {
        ending = "The importer ended with exit status " + std::to_string(result.run.exitCode) +
                 " and wrote no report.";
    }
    if (!ending.empty()) {
        // Whatever the file says, an import that was cut short is no success.
        result.report.noErrors = false;
        result.report.details = ending + "\r\n" + result.report.details;
    }
    return result;
}

GroupNote SourceLineNote(const RunnerConversion& conversion, const Language& language) {
    return [lines = conversion.sourceLines, first = conversion.firstValueLine,
            rows = static_cast<long>(conversion.rows), &language](std::string_view firstLine) {
        const std::optional<long> adisLine = FirstNumber(firstLine);
        if (!adisLine || *adisLine < first || *adisLine - first >= rows) {
            return std::string();
        }
        const auto row = static_cast<std::size_t>(*adisLine - first);
        return ", " + language.FillText(msg::SourceLineNote, {std::to_string(lines.line(row))});
    };
}

std::string ImportCountsText(const ImporterReport& report, const RunnerConversion& conversion,
                             const Language& language) {
    if (!report.counts) {
        return {};
    }
    const ImportCounts& counts = *report.counts;
    const std::string imported = std::to_string(counts.imported);
    std::string text =
        counts.read == 1
            ? language.FillText(msg::RecordsImportedOfOne, {imported})
            : language.FillText(msg::RecordsImported, {imported, std::to_string(counts.read)});
    const auto errors = static_cast<std::size_t>(counts.errors) + conversion.findings.errors();
    const auto warnings =
        static_cast<std::size_t>(counts.warnings) + conversion.findings.warnings();
    std::vector<std::string> problems;
    if (errors > 0) {
        problems.push_back(language.CountText(msg::ErrorsOne, msg::ErrorsMany, errors));
    }
    if (warnings > 0) {
        problems.push_back(language.CountText(msg::WarningsOne, msg::WarningsMany, warnings));
    }
    for (std::size_t i = 0; i < problems.size(); ++i) {
        text += (i == 0 ? "; " : ", ") + problems[i];
    }
    return text + '.';
}

std::string WrongValuesDetails(const RunnerConversion& conversion, const Language& language) {
    std::string details;
    if (conversion.datesNotTranslated) {
        details += language.LoadText(msg::DateNotTranslatedRunner) + "\r\n";
    }
    for (const char c : FindingsReport(conversion.findings, conversion.sourcePath, language)) {
        if (c == '\n') {
            details += "\r\n";
        } else {
            details += c;
        }
    }
    return details;
}

} // namespace kolvane
