// SPDX-License-Identifier: MIT
#include "cli/CodesCommand.h"

#include "cli/CliPort.h"
#include "cli/CliSettings.h"
#include "cli/ExitCodes.h"
#include "engine/Ansi.h"
#include "herdlink/CodeImport.h"

#include <algorithm>
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
    return options;
}

// One line per code in columns as wide as their heading or their stored values,
// data types and import permissions as texts.
void printCodes(const std::vector<CodeRow>& rows, const Language& language) {
    std::vector<std::string> titles;
    std::vector<std::size_t> widths;
    for (std::size_t i = 0; i < 8; ++i) {
        titles.push_back(language.LoadText(kCodeHeadings[i]));
        const std::size_t stored = i < 6 ? static_cast<std::size_t>(kCodeFieldWidths[i]) : 17;
        widths.push_back(std::max(stored, titles.back().size()));
    }
    const auto line = [&](const std::vector<std::string>& cells) {
        std::string text;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            std::string cell = cells[i];
            if (i + 1 < cells.size()) {
                cell.resize(std::max(widths[i], cell.size()), ' ');
                cell += ' ';
            }
            text += cell;
        }
        return AnsiToUtf8(text) + "\n";
    };
    std::string out = line(titles);
    for (const CodeRow& row : rows) {
        out += line({row.Mnemonico, row.Codigo_ADIS, row.INDICE_ADS, row.Explicacion, row.Decimales,
                     row.Ancho, language.LoadText(TypeTextNumber(FieldNumber(row.Tipo))),
                     language.LoadText(ImportTextNumber(FieldNumber(row.Import_All)))});
    }
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
        return kExitSuccess;
    }
    printCodes(rows, language);
    return kExitSuccess;
}

} // namespace kolvane::cli
