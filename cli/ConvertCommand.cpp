// SPDX-License-Identifier: MIT
#include "cli/ConvertCommand.h"

#include "cli/CliPort.h"
#include "cli/CliSettings.h"
#include "cli/ExitCodes.h"
#include "cli/SendDateOption.h"
#include "cli/SourceInput.h"
#include "engine/AdisConversion.h"
#include "engine/ColumnChecks.h"
#include "engine/SetupConfirmation.h"
#include "engine/SourceEncoding.h"
#include "herdlink/CodeDictionary.h"
#include "storage/AtomicFile.h"
#include "storage/OpenDst.h"
#include "storage/ProgramFolder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

namespace kolvane::cli {
namespace {

class NullSink final : public ByteSink {
public:
    Status write(std::string_view) override { return Status::Ok(); }
};

class StdoutSink final : public ByteSink {
public:
    Status write(std::string_view bytes) override {
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) {
            return failed();
        }
        return Status::Ok();
    }
    // Everything written is out, or the reason it is not.
    Status flush() { return std::fflush(stdout) == 0 ? Status::Ok() : failed(); }

private:
    static Status failed() {
        return {ErrorCode::WriteFailed,
                "writing to standard output failed: " + std::string(std::strerror(errno))};
    }
};

// The output must not be the setup or the source it is made from.
std::optional<std::string> outputClash(const std::string& output, const ImportSetup& setup,
                                       const std::string& dstPath) {
    std::error_code ec;
    for (const std::string& input : {dstPath, setup.SourceFilePath}) {
        if (!input.empty() && std::filesystem::equivalent(output, input, ec) && !ec) {
            return output + ": the output would overwrite " +
                   (input == dstPath ? "the setup file" : "the source file") +
                   " it is made from; choose another file with -o";
        }
    }
    return std::nullopt;
}

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

// Reads the DST and applies what the converter applies after opening one;
// `input` is then the source to read.
int loadSetup(ImportSetup& setup, SourceInput& input, const ConvertOptions& options,
              const Language& language, UserPort& port, const Clock& clock) {
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
        if (Status opened = input.open(*options.sourcePath); !opened.ok()) {
            PrintStatus(opened, language);
            return kExitUsage;
        }
    } else if (setup.SourceFilePath == "@" || setup.SourceFilePath.empty()) {
        PrintLine(options.dstPath + ": the setup names no source file; give one with --source");
        return kExitUsage;
    } else {
        input.useSetupSource(setup.SourceFilePath);
    }
    setup.SourceFilePath = input.path();

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

void fillDataTypes(ImportSetup& setup) {
    FillDataTypes(setup, CodeDictionary(ProgramFolder() + "/" + kCodeDictionaryFile));
}

ConversionResult convertInto(ImportSetup& setup, const EngineContext& context, ByteSink& sink) {
    ConversionOptions conversion;
    conversion.source.progressCaption = msg::ConvertingToAdis;
    conversion.onColumnsKnown = [&](int columns) {
        PrepareColumnTable(setup, context.language, columns);
        CheckRequiredIndexes(setup, context.language, context.port, {});
        return true; // the command line goes on, as after OK
    };
    return ConvertSourceToAdis(setup, context, SourceData::file(setup.SourceFilePath), conversion,
                               sink);
}

// Converts a copy of the setup into nothing, without messages: what the value
// check finds before anything is written.
ValueFindings probeFindings(const ImportSetup& setup, const EngineContext& context) {
    ImportSetup copy = setup;
    SilentPort silent;
    const EngineContext quiet{context.language, silent, context.numbers, context.clock};
    NullSink nothing;
    return convertInto(copy, quiet, nothing).findings;
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
    options.strict = arguments.has("strict");
    return options;
}

std::optional<ConvertOptions> checkOptionsFrom(const ParsedArguments& arguments,
                                               std::string& error) {
    auto options = convertOptionsFrom(arguments, error);
    if (options) {
        options->checkOnly = true;
    }
    return options;
}

OptionDefinition sourceOption() {
    return {.name = "source",
            .valueName = "FILE",
            .help = "the source file, - for standard input (default: the setup's)"};
}

OptionDefinition sendDateOption() {
    return {.name = "send-date",
            .valueName = "TEXT",
            .help = "a date in the setup's format, or \"today\""};
}

OptionDefinition decimalSeparatorOption() {
    return {.name = "decimal-separator",
            .valueName = "C",
            .help = "the decimal separator (default: the locale's)",
            .choices = {".", ","}};
}

OptionDefinition oldLayoutOption() {
    return {.name = "old-layout", .help = "the setup is in the earlier DST layout"};
}

} // namespace

Command MakeConvertCommand() {
    CommandDefinition definition{
        .name = "convert",
        .summary = "converts the source file of a saved setup (a DST file) into ADIS text, "
                   "written to FILE (or standard output without -o, or with -o -).",
        .positionals = {{.name = "SETUP.dst", .help = "the saved setup"}},
        .options = {
            sourceOption(),
            {.name = "output",
             .shortName = 'o',
             .valueName = "FILE",
             .help = "the ADIS file, written whole or not at all"},
            sendDateOption(),
            LanguageOption(),
            decimalSeparatorOption(),
            oldLayoutOption(),
            {.name = "strict", .help = "writes nothing and exits 1 when a value is wrong"},
        }};
    return MakeCommand(std::move(definition), convertOptionsFrom, RunConvert);
}

Command MakeCheckCommand() {
    CommandDefinition definition{
        .name = "check",
        .summary = "converts the source file of a saved setup without writing it and prints "
                   "the values that would be cut or are no number, date or time, and empty "
                   "index values; exit 0 none, 1 errors, 3 warnings only.",
        .positionals = {{.name = "SETUP.dst", .help = "the saved setup"}},
        .options = {sourceOption(), sendDateOption(), LanguageOption(), decimalSeparatorOption(),
                    oldLayoutOption()}};
    return MakeCommand(std::move(definition), checkOptionsFrom, RunCheck);
}

namespace {

struct CliContext {
    explicit CliContext(const ConvertOptions& options)
        : language(store.languageCode(options.language)), port(language),
          numbers(NumberFormat::fromSystemLocale()) {
        if (options.decimalSeparator) {
            numbers.decimalSeparator = *options.decimalSeparator;
        }
    }
    EngineContext engine() { return {language, port, numbers, clock}; }

    CliSettings store;
    const Language language;
    CliPort port;
    const SystemClock clock;
    NumberFormat numbers;
};

int exitCodeForFindings(const ValueFindings& findings) {
    if (findings.errors() > 0) {
        return kExitIncomplete;
    }
    return findings.empty() ? kExitSuccess : kExitImportErrors;
}

} // namespace

int RunCheck(const ConvertOptions& options) {
    CliContext cli(options);
    ImportSetup setup;
    SourceInput input;
    if (const int loaded = loadSetup(setup, input, options, cli.language, cli.port, cli.clock);
        loaded != kExitSuccess) {
        return loaded;
    }
    fillDataTypes(setup);
    SilentPort silent;
    const EngineContext quiet{cli.language, silent, cli.numbers, cli.clock};
    NullSink nothing;
    const ConversionResult result = convertInto(setup, quiet, nothing);
    // The one line on standard output: how the source was read.
    const std::string encoding = input.findingsName() + ": " +
                                 Shown(cli.language.LoadText(msg::SourceEncodingLabel)) + " " +
                                 std::string(SourceEncodingName(result.encoding)) + "\n";
    std::fwrite(encoding.data(), 1, encoding.size(), stdout);
    PrintFindings(result.findings, input.findingsName(), cli.language);
    // A date the converter cannot translate stops it: that is a finding, any
    // other failure is told as convert tells it.
    if (!result.complete() && result.findings.errors() == 0) {
        PrintStatus(input.named(result.status), cli.language);
        return exitCodeFor(result.status);
    }
    return exitCodeForFindings(result.findings);
}

int RunConvert(const ConvertOptions& options) {
    CliContext cli(options);
    const Language& language = cli.language;
    const EngineContext context = cli.engine();

    ImportSetup setup;
    SourceInput input;
    if (const int loaded = loadSetup(setup, input, options, language, cli.port, cli.clock);
        loaded != kExitSuccess) {
        return loaded;
    }
    fillDataTypes(setup);
    if (options.strict) {
        // Checked before anything is written, so that standard output stays
        // empty too; the conversion that follows finds the same again.
        if (const ValueFindings found = probeFindings(setup, context); found.errors() > 0) {
            PrintFindings(found, input.findingsName(), language);
            PrintError(language.LoadText(msg::StrictNothingWritten));
            return kExitIncomplete;
        }
    }

    const bool toStdout = options.outputPath == "-";
    if (const auto clash =
            toStdout ? std::nullopt : outputClash(options.outputPath, setup, options.dstPath)) {
        PrintError(*clash);
        return kExitUsage;
    }
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

    const ConversionResult result = convertInto(setup, context, sink);
    if (Status flushed = toStdout ? stdoutSink.flush() : Status::Ok(); !flushed.ok()) {
        PrintStatus(flushed, language);
        return kExitIncomplete;
    }
    PrintFindings(result.findings, input.findingsName(), language);
    if (!result.complete()) {
        PrintStatus(input.named(result.status), language);
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
