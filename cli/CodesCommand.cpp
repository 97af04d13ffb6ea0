// SPDX-License-Identifier: MIT
#include "cli/CodesCommand.h"

#include "cli/CliPort.h"
#include "cli/CliSettings.h"
#include "cli/ExitCodes.h"
#include "engine/Ansi.h"
#include "herdlink/CodeImport.h"

#include <cstdio>
#include <optional>

namespace kolvane::cli {
namespace {

std::optional<CodesOptions> codesOptionsFrom(const ParsedArguments& arguments, std::string& error) {
    CodesOptions options;
    if (!arguments.positionals.empty()) {
        options.text = arguments.positionals.front();
    }
    options.database = arguments.value("database").value_or(options.database);
    options.language = arguments.value("language");
    options.import = arguments.has("import");
    if (options.import && options.text) {
        error = "--import takes no search text";
        return std::nullopt;
    }
    if (const auto format = arguments.value("format")) {
        if (options.import) {
            error = "--format goes with the list, not with --import";
            return std::nullopt;
        }
        options.format = *format == "tsv" ? CodeListFormat::Tsv : CodeListFormat::Json;
    }
    return options;
}

void printCodes(const std::vector<CodeRow>& rows, const Language& language, CodeListFormat format) {
    const std::string out = CodeListText(rows, language, format);
    std::fwrite(out.data(), 1, out.size(), stdout);
}

int importCodes(const CodesOptions& options, CliSettings& store, const Language& language) {
    CliPort port(language);
    const CodeImportResult result = Importar_Codigos(options.database, *store.registry, port);
    if (!result.status.ok()) {
        PrintStatus(result.status, language);
        PrintError("the code dictionary was left as it was");
        return kExitIncomplete;
    }
    PrintLine(std::to_string(result.stored) + " codes stored in " + options.database);
    return kExitSuccess;
}

} // namespace

Command MakeCodesCommand() {
    CommandDefinition definition{
        .name = "codes",
        .summary = "lists the code dictionary, or the codes whose description, mnemonic or "
                   "numbers hold TEXT; --import refills it from the herd software.",
        .positionals = {{.name = "TEXT",
                         .help = "what to look for (quote it when it holds blanks)",
                         .optional = true}},
        .options = {
            {.name = "import", .help = "refills the dictionary from the herd software"},
            {.name = "database",
             .valueName = "FILE",
             .help = "the dictionary (default: the program folder's)"},
            {.name = "format",
             .valueName = "F",
             .help = "tsv or json for scripts (default: a table lined up)",
             .choices = {"tsv", "json"}},
            LanguageOption(),
        }};
    return MakeCommand(std::move(definition), codesOptionsFrom, RunCodes);
}

int RunCodes(const CodesOptions& options) {
    CliSettings store;
    const Language language(store.languageCode(options.language));
    if (options.import) {
        return importCodes(options, store, language);
    }
    const CodeDictionary dictionary(options.database);
    Status status;
    const auto rows = options.text ? dictionary.search(Utf8ToAnsi(*options.text), status)
                                   : dictionary.allCodes(status);
    if (!status.ok()) {
        PrintStatus(status, language);
        return status.code() == ErrorCode::FileNotFound ? kExitUsage : kExitIncomplete;
    }
    if (rows.empty()) {
        PrintError(language.LoadText(options.text ? msg::NoMatchesFound : msg::DatabaseHasNoData));
        // A script still reads a list, an empty one.
        if (options.format == CodeListFormat::Table) {
            return kExitSuccess;
        }
    }
    printCodes(rows, language, options.format);
    return kExitSuccess;
}

} // namespace kolvane::cli
