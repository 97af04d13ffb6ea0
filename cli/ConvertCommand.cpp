// SPDX-License-Identifier: MIT
#include "cli/ConvertCommand.h"

#include "cli/CliPort.h"
#include "cli/CliSettings.h"
#include "cli/ExitCodes.h"
#include "engine/AdisConversion.h"
#include "engine/ColumnChecks.h"
#include "engine/SetupConfirmation.h"
#include "storage/AtomicFile.h"
#include "storage/Recover_DST.h"

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
    const Status read = options.oldLayout ? ReadOldDstFile(setup, language, port, options.dstPath)
                                          : ReadDstFile(setup, language, port, options.dstPath);
    if (!read.ok()) {
        PrintError(read.describe());
        if (read.code() == ErrorCode::BadFileFormat) {
            PrintError("the setup could be read only in part; nothing was converted");
        }
        return kExitUsage;
    }
    FinishDstLoad(setup, language);
    CopyStagingToWorking(setup);
    setup.DstFilePath = options.dstPath;
    setup.FixedColumnsFromDst = true;
    setup.ColumnsFromDst = true;

    if (options.sourcePath) {
        setup.SourceFilePath = *options.sourcePath;
    } else if (setup.SourceFilePath == "@" || setup.SourceFilePath.empty()) {
        PrintError(options.dstPath + ": the setup names no source file; give one with --source");
        return kExitUsage;
    }

    SendDateNeed need = ConfirmLoadedSetup(setup, language, clock);
    if (options.sendDate) {
        if (setup.AskSendDate) {
            setup.SendDate = *options.sendDate;
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

} // namespace

std::optional<ConvertOptions> ParseConvertArguments(const std::vector<std::string>& arguments,
                                                    std::string& error) {
    ConvertOptions options;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= arguments.size()) {
                error = argument + " needs a value";
                return std::nullopt;
            }
            return arguments[++i];
        };
        if (argument == "--source") {
            if (!(options.sourcePath = value())) {
                return std::nullopt;
            }
        } else if (argument == "-o" || argument == "--output") {
            const auto output = value();
            if (!output) {
                return std::nullopt;
            }
            options.outputPath = *output;
        } else if (argument == "--send-date") {
            if (!(options.sendDate = value())) {
                return std::nullopt;
            }
        } else if (argument == "--language") {
            const auto language = value();
            if (!language) {
                return std::nullopt;
            }
            if (!CheckLanguageCode(*language, error)) {
                return std::nullopt;
            }
            options.language = *language;
        } else if (argument == "--decimal-separator") {
            const auto separator = value();
            if (!separator) {
                return std::nullopt;
            }
            if (*separator != "." && *separator != ",") {
                error = "--decimal-separator takes \".\" or \",\"";
                return std::nullopt;
            }
            options.decimalSeparator = separator->front();
        } else if (argument == "--old-layout") {
            options.oldLayout = true;
        } else if (!TakeFileArgument(argument, positional, error)) {
            return std::nullopt;
        }
    }
    const auto dstPath = SingleDstFile(positional, error);
    if (!dstPath) {
        return std::nullopt;
    }
    options.dstPath = *dstPath;
    return options;
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
            PrintError(opened.describe());
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
        PrintError(result.status.describe());
        return exitCodeFor(result.status);
    }
    if (!toStdout) {
        if (Status committed = file.commit(); !committed.ok()) {
            PrintError(committed.describe());
            return kExitIncomplete;
        }
        PrintError(std::to_string(result.rows) + " rows converted into " + options.outputPath);
    }
    return kExitSuccess;
}

} // namespace kolvane::cli
