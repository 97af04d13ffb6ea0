// SPDX-License-Identifier: MIT
#include "herdlink/AutomaticRun.h"

#include "engine/Crea_Adis.h"
#include "engine/Dates.h"
#include "engine/FindingsReport.h"
#include "engine/Messages.h"
#include "storage/AtomicFile.h"

#include <algorithm>
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
    if (result.readOutcome == SourceReadResult::Outcome::NoLines) {
        // Nothing to import: the file holds the stored header and the end line.
        conversion.status = file.write(setup.StoredAdisHeader + std::string(kAdisFileEnd));
        conversion.outcome = SourceReadResult::Outcome::Completed;
    }
    if (conversion.status.ok()) {
        conversion.status = file.commit();
    }
    return conversion;
}

RunnerImport ImportAndReadReport(const std::string& installFolder, const std::string& ownFolder,
                                 const std::function<void(int lineCounter)>& onGroup,
                                 const GroupNote& note) {
    RunnerImport result;
    while (const auto stale = FindImporterResult(installFolder)) {
        std::error_code ec;
        if (!std::filesystem::remove(*stale, ec) || ec) {
            result.report.details = "The result file of an earlier import cannot be removed (" +
                                    *stale + "): " + ec.message();
            return result;
        }
    }
    result.run =
        StartImporter(ImporterCommand::RunnerImport,
                      ImporterCommandLine(ImporterCommand::RunnerImport, installFolder, ownFolder));
    if (result.run.outcome != ImporterRun::Outcome::Ran) {
        result.report.details =
            "The importer program could not be started: " + result.run.status.describe();
        return result;
    }
    result.report = Revisar_Resultado(FindImporterResult(installFolder), onGroup, note);
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
        details += language.LoadText(msg::DateNotTranslated) + "\r\n";
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
