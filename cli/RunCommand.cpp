// SPDX-License-Identifier: MIT
#include "cli/RunCommand.h"

#include "cli/CliPort.h"
#include "cli/CliSettings.h"
#include "cli/ElapsedLine.h"
#include "cli/ExitCodes.h"
#include "cli/SendDateOption.h"
#include "cli/SourceInput.h"
#include "engine/Ansi.h"
#include "engine/SendDate.h"
#include "herdlink/AutomaticRun.h"
#include "herdlink/CodeDictionary.h"
#include "herdlink/HerdTexts.h"
#include "storage/OpenDst.h"
#include "storage/ProgramFolder.h"
#include "storage/Settings.h"

#include <cstdio>
#include <filesystem>
#include <optional>

namespace kolvane::cli {
namespace {

// -o only with --no-import: the importer always reads adis.ads in the program folder.
std::optional<RunOptions> runOptionsFrom(const ParsedArguments& arguments, std::string& error) {
    RunOptions options;
    options.dstPath = arguments.positionals.front();
    options.sourcePath = arguments.value("source");
    options.sendDate = arguments.value("send-date");
    options.outputPath = arguments.value("output");
    options.language = arguments.value("language");
    options.import = !arguments.has("no-import");
    if (const auto limit = arguments.value("importer-timeout")) {
        options.importerTimeout = ParseImporterTimeout(*limit);
        if (!options.importerTimeout) {
            error = ImporterTimeoutProblem(*limit, "--importer-timeout");
            return std::nullopt;
        }
    }
    if (options.outputPath && options.import) {
        error =
            "-o goes with --no-import: the importer always reads adis.ads in the program folder";
        return std::nullopt;
    }
    return options;
}

// The report's lines end in CR LF, as the importer writes them; a terminal's in LF.
void printOutcome(const std::string& ansiText) {
    std::string text = AnsiToUtf8(ansiText);
    std::erase(text, '\r');
    text += '\n';
    std::fwrite(text.data(), 1, text.size(), stdout);
}

constexpr std::string_view kInvokedAs = "kolvane-cli run";

// The send date the runner would ask the user for, or take as today's.
int settleSendDate(ImportSetup& setup, const RunOptions& options, const Language& language,
                   const Clock& clock) {
    switch (RunnerSendDateRule(setup)) {
    case SendDateRule::Today:
        UseTodayAsSendDate(setup, clock);
        // A pattern of the user's own may write today in a way it cannot read.
        if (const auto refusal = SendDateRefusal(setup, setup.SendDate, language, clock)) {
            PrintError(*refusal);
            return kExitUsage;
        }
        break;
    case SendDateRule::AskUser: {
        if (!options.sendDate || options.sendDate->empty()) {
            PrintError("the setup asks for a send date: give one with --send-date");
            return kExitUsage;
        }
        auto sendDate = SendDateFromOption(setup, *options.sendDate, language, clock, kInvokedAs);
        if (!sendDate) {
            return kExitUsage;
        }
        setup.SendDate = std::move(*sendDate);
        break;
    }
    case SendDateRule::None:
        break;
    }
    return kExitSuccess;
}

// The importer's time limit: the option, else the setting, else the default.
// An unusable setting is told, naming the store.
std::optional<std::chrono::minutes> importerLimit(const RunOptions& options, CliSettings& store) {
    if (options.importerTimeout) {
        return options.importerTimeout;
    }
    Settings settings(*store.registry);
    const std::optional<std::string> stored = settings.importerTimeout();
    if (!stored) {
        return kDefaultImporterTimeout;
    }
    const auto limit = ParseImporterTimeout(*stored);
    if (!limit) {
        PrintError(ImporterTimeoutProblem(*stored,
                                          "the setting ImporterTimeout in " + settings.location()));
    }
    return limit;
}

// The source file, the send date: what the runner would ask the user for.
int settleInputs(ImportSetup& setup, const RunOptions& options, const HerdTexts& texts,
                 const Language& language, const Clock& clock, SourceInput& input) {
    const std::string sourcePath = options.sourcePath.value_or(setup.SourceFilePath);
    if (sourcePath == kAskForSource || sourcePath.empty()) {
        PrintLine(options.dstPath + ": the setup names no source file; give one with --source");
        return kExitUsage;
    }
    std::error_code ec;
    if (sourcePath != kStandardStream && !std::filesystem::is_regular_file(sourcePath, ec)) {
        PrintLine(Shown(texts.text(herdtext::SourceNotFound)) + " (" + sourcePath + ")");
        return kExitUsage;
    }
    if (const int settled = settleSendDate(setup, options, language, clock);
        settled != kExitSuccess) {
        return settled;
    }
    // Read only once the setup is known to be usable.
    if (Status opened = input.open(sourcePath); !opened.ok()) {
        PrintStatus(opened, language);
        return kExitUsage;
    }
    return kExitSuccess;
}

// Imports the converted file; the seconds elapsed are shown meanwhile when
// standard error is a terminal.
RunnerImport importConverted(CliSettings& store, const std::string& ownFolder,
                             const RunnerConversion& conversion, const Language& language,
                             std::chrono::minutes limit) {
    const ElapsedLine elapsed(Shown(language.LoadText(msg::ImportingDataWait)), IsTerminal(stderr),
                              {});
    return ImportAndReadReport(Settings(*store.registry).herdInstallFolder(), ownFolder, {},
                               SourceLineNote(conversion, language), limit);
}

} // namespace

Command MakeRunCommand() {
    CommandDefinition definition{
        .name = "run",
        .summary = "runs an automatic import as the runner does: converts into adis.ads, starts "
                   "the herd software's importer and prints its outcome.",
        .positionals = {{.name = "SETUP.dst", .help = "the saved setup of the import"}},
        .options = {
            {.name = "source",
             .valueName = "FILE",
             .help = "the source file, - for standard input (default: the setup's)"},
            {.name = "send-date",
             .valueName = "TEXT",
             .help = "a date in the setup's format, or \"today\""},
            {.name = "no-import", .help = "converts only; the importer is not started"},
            {.name = "importer-timeout",
             .valueName = "MIN",
             .help = "ends the importer after MIN minutes (default 120)"},
            {.name = "output",
             .shortName = 'o',
             .valueName = "FILE",
             .help = "with --no-import: the ADIS file (not adis.ads)"},
            LanguageOption(),
        }};
    return MakeCommand(std::move(definition), runOptionsFrom, RunAutomaticImport);
}

int RunAutomaticImport(const RunOptions& options) {
    CliSettings store;
    const Language language(store.languageCode(options.language));
    CliPort port(language);
    const SystemClock clock;
    const HerdTexts texts = HerdTexts::Fetch(*store.registry);

    const std::optional<std::chrono::minutes> limit = importerLimit(options, store);
    if (!limit) {
        return kExitUsage;
    }
    ImportSetup setup;
    if (Status loaded = OpenDst(setup, language, port, options.dstPath, {DstReader::Runner});
        !loaded.ok()) {
        PrintStatus(loaded, language);
        PrintError("nothing was converted or imported");
        return kExitUsage;
    }
    SourceInput input;
    if (const int settled = settleInputs(setup, options, texts, language, clock, input);
        settled != kExitSuccess) {
        return settled;
    }

    const std::string ownFolder = WritableProgramFolder();
    const std::string adisPath =
        options.outputPath.value_or(ImporterAdisFile(ImporterCommand::RunnerImport, ownFolder));
    const EngineContext context{language, port, NumberFormat::fromSystemLocale(), clock};
    FillDataTypes(setup, CodeDictionary(ProgramFolder() + "/" + kCodeDictionaryFile));
    RunnerConversion conversion = ConvertForRunner(setup, context, input.path(), adisPath);
    conversion.sourcePath = input.findingsName(); // as the details name it
    if (conversion.tooManyFields()) {
        PrintError(texts.text(herdtext::TooManyFields));
    }
    if (!conversion.status.ok()) {
        PrintStatus(input.named(conversion.status), language);
        return kExitIncomplete;
    }
    if (!options.import) {
        PrintFindings(conversion.findings, conversion.sourcePath, language);
        PrintLine(std::to_string(conversion.rows) + " rows converted into " + adisPath);
        return kExitSuccess;
    }

    const RunnerImport imported = importConverted(store, ownFolder, conversion, language, *limit);
    if (imported.run.outcome != ImporterRun::Outcome::Ran) {
        PrintError(imported.report.details);
        return kExitUsage;
    }
    const std::string counts = ImportCountsText(imported.report, conversion, language);
    const auto outcome = [&](int text) {
        printOutcome(texts.text(text) + (counts.empty() ? "" : " " + counts));
    };
    // Values not written as the source holds them went into the herd
    // database: never told as a success.
    if (imported.report.noErrors && !conversion.valuesToReport()) {
        outcome(herdtext::NoErrors);
        return kExitSuccess;
    }
    outcome(herdtext::ErrorsFound);
    if (conversion.valuesToReport()) {
        printOutcome(WrongValuesDetails(conversion, language));
    }
    printOutcome(imported.report.details);
    return kExitImportErrors;
}

} // namespace kolvane::cli
