// SPDX-License-Identifier: MIT
#include "cli/ConvertCommand.h"

#include "cli/CliPort.h"
#include "cli/CliSettings.h"
#include "cli/ExitCodes.h"
#include "cli/SendDateOption.h"
#include "engine/AdisConversion.h"
#include "engine/ColumnChecks.h"
#include "engine/SetupConfirmation.h"
#include "storage/AtomicFile.h"
#include "storage/OpenDst.h"

#include <cstdio>

namespace kolvane::cli {
namespace {

class StdoutSink final : public ByteSink {
public:
    Status write(std::string_view bytes) override {
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) {
            return {ErrorCode::WriteFailed, "writing to standard output failed"};
        }
        return Status::Ok();
    }
};

int exitCodeFor(const Status& status) {
    switch (status.code()) {
    case ErrorCode::FileNotFound:
    case ErrorCode::NotAFile:
    case ErrorCode::FileUnreadable:
    case ErrorCode::BadSetup:
        return kExitUsage;
    default:
        return kExitIncomplete;
    }
}

// Reads the DST and applies what the converter applies after opening one.
int loadSetup(ImportSetup& setup, const ConvertOptions& options, const Language& language,
              UserPort& port, const Clock& clock) {
    const Status read = OpenDst(setup, language, port, options.dstPath,
                                {.reader = DstReader::Converter, .oldLayout = options.oldLayout});
    if (!read.ok()) {
        PrintStatus(read, language);
        if (read.code() == ErrorCode::BadFileFormat) {
            PrintError("the setup could be read only in part; nothing was converted");
        }
        return kExitUsage;
    }

    if (options.sourcePath) {
        setup.SourceFilePath = *options.sourcePath;
    } else if (setup.SourceFilePath == "@" || setup.SourceFilePath.empty()) {
        PrintLine(options.dstPath + ": the setup names no source file; give one with --source");
        return kExitUsage;
    }

    SendDateNeed need = ConfirmLoadedSetup(setup, language, clock);
    if (options.sendDate) {
        if (setup.AskSendDate) {
            auto sendDate = SendDateFromOption(setup, *options.sendDate, language, clock,
                                               "kolvane-cli convert");
            if (!sendDate) {
                return kExitUsage;
            }
            setup.SendDate = std::move(*sendDate);
            need = SendDateNeed::Given;
        } else {
            PrintError("the setup asks for no send date; --send-date is ignored");
        }
    }
    if (need == SendDateNeed::Missing) {
        const std::string& format =
            setup.DateFormatName == kCustomDateFormat ? setup.DatePattern : setup.DateFormatName;
        PrintError("the setup asks for a send date: give one with --send-date (format " + format +
                   ")");
        return kExitUsage;
    }
    return kExitSuccess;
}

// Every combination of convert's options goes together.
std::optional<ConvertOptions> convertOptionsFrom(const ParsedArguments& arguments, std::string&) {
    ConvertOptions options;
    options.dstPath = arguments.positionals.front();
    options.sourcePath = arguments.value("source");
    options.outputPath = arguments.value("output").value_or(options.outputPath);
    options.sendDate = arguments.value("send-date");
    options.language = arguments.value("language");
    if (const auto separator = arguments.value("decimal-separator")) {
        options.decimalSeparator = separator->front(); // one of the declared choices
    }
    options.oldLayout = arguments.has("old-layout");
    return options;
}

} // namespace

Command MakeConvertCommand() {
    CommandSpec spec{.name = "convert",
                     .summary =
                         "converts the source file of a saved setup (a DST file) into ADIS text, "
                         "written to FILE (or standard output without -o, or with -o -).",
                     .positionals = {{.name = "SETUP.dst", .help = "the saved setup"}},
                     .options = {
                         {.name = "source",
                          .valueName = "FILE",
                          .help = "the source file (default: the setup's)"},
                         {.name = "output",
                          .shortName = 'o',
                          .valueName = "FILE",
                          .help = "the ADIS file, written whole or not at all"},
                         {.name = "send-date",
                          .valueName = "TEXT",
                          .help = "a date in the setup's format, or \"today\""},
                         LanguageOption(),
                         {.name = "decimal-separator",
                          .valueName = "C",
                          .help = "the decimal separator (default: the locale's)",
                          .choices = {".", ","}},
                         {.name = "old-layout", .help = "the setup is in the earlier DST layout"},
                     }};
    return MakeCommand(std::move(spec), convertOptionsFrom, RunConvert);
}

int RunConvert(const ConvertOptions& options) {
    CliSettings store;
    const Language language(store.languageCode(options.language));
    CliPort port(language);
    const SystemClock clock;
    NumberFormat numbers = NumberFormat::fromSystemLocale();
    if (options.decimalSeparator) {
        numbers.decimalSeparator = *options.decimalSeparator;
    }
    const EngineContext context{language, port, numbers, clock};

    ImportSetup setup;
    if (const int loaded = loadSetup(setup, options, language, port, clock);
        loaded != kExitSuccess) {
        return loaded;
    }

    ConversionOptions conversion;
    conversion.source.progressCaption = msg::ConvertingToAdis;
    conversion.onColumnsKnown = [&](int columns) {
        PrepareColumnTable(setup, language, columns);
        CheckRequiredIndexes(setup, language, port, {});
        return true; // the command line goes on, as after OK
    };

    const bool toStdout = options.outputPath == "-";
    AtomicFileWriter file;
    if (!toStdout) {
        if (Status opened = file.open(options.outputPath); !opened.ok()) {
            PrintStatus(opened, language);
            return kExitUsage;
        }
    }
    StdoutSink stdoutSink;
    AtomicFileSink fileSink(file);
    ByteSink& sink = toStdout ? static_cast<ByteSink&>(stdoutSink) : fileSink;

    const ConversionResult result = ConvertSourceToAdis(
        setup, context, SourceData::file(setup.SourceFilePath), conversion, sink);
    std::fflush(stdout);
    if (!result.complete()) {
        PrintStatus(result.status, language);
        return exitCodeFor(result.status);
    }
    if (!toStdout) {
        if (Status committed = file.commit(); !committed.ok()) {
            PrintStatus(committed, language);
            return kExitIncomplete;
        }
        PrintLine(std::to_string(result.rows) + " rows converted into " + options.outputPath);
    }
    return kExitSuccess;
}

} // namespace kolvane::cli
