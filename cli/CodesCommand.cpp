// SPDX-License-Identifier: MIT
#include "cli/CodesCommand.h"

#include "cli/CliPort.h"
#include "cli/CliSettings.h"
#include "cli/ExitCodes.h"
#include "engine/Ansi.h"
#include "herdlink/CodeDictionary.h"
#include "herdlink/HXMDB.h"
#include "storage/ProgramFolder.h"

#include <cstdio>
#include <optional>

namespace kolvane::cli {
namespace {

struct CodesOptions {
    std::optional<std::string> text;
    std::string database = ProgramFolder() + "/" + kCodeDictionaryFile;
    std::optional<std::string> language;
    bool import = false;
};

std::optional<CodesOptions> parse(const std::vector<std::string>& arguments, std::string& error) {
    CodesOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        std::string value;
        if (argument == "--import") {
            options.import = true;
        } else if (argument == "--database") {
            if (!TakeValue(arguments, i, options.database, error)) {
                return std::nullopt;
            }
        } else if (argument == "--language") {
            if (!TakeValue(arguments, i, value, error)) {
                return std::nullopt;
            }
            options.language = value;
        } else if (argument.size() > 1 && argument.front() == '-') {
            error = "unknown option " + argument;
            return std::nullopt;
        } else if (options.text) {
            error = "give one search text (quote it when it holds blanks)";
            return std::nullopt;
        } else {
            options.text = argument;
        }
    }
    if (options.import && options.text) {
        error = "--import takes no search text";
        return std::nullopt;
    }
    return options;
}

// One line per code, the fields as wide as they are stored, types as texts.
void printCodes(const std::vector<CodeRow>& rows, const Language& language) {
    const auto column = [&](int number, std::size_t width) {
        std::string text = language.LoadText(number);
        text.resize(std::max(width, text.size()), ' ');
        return text;
    };
    std::string header = column(200, 14) + " " + column(201, 10) + " " + column(202, 10) + " " +
                         column(203, 45) + " " + column(204, 4) + " " + column(205, 4) + " " +
                         column(232, 17) + " " + language.LoadText(233);
    std::string out = AnsiToUtf8(header) + "\n";
    for (const CodeRow& row : rows) {
        std::string type = language.LoadText(TypeTextNumber(FieldNumber(row.Tipo)));
        type.resize(std::max<std::size_t>(type.size(), 17), ' ');
        const std::string permission =
            language.LoadText(ImportTextNumber(FieldNumber(row.Import_All)));
        const std::string line = row.Mnemonico + " " + row.Codigo_ADIS + " " + row.INDICE_ADS +
                                 " " + row.Explicacion + " " + row.Decimales + " " + row.Ancho +
                                 " " + type + " " + permission;
        out += AnsiToUtf8(line) + "\n";
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
}

int importCodes(const CodesOptions& options, CliSettings& store, const Language& language) {
    CliPort port(language);
    const CodeImportResult result = Importar_Codigos(options.database, *store.registry, port);
    if (!result.status.ok()) {
        PrintError(result.status.describe());
        PrintError("the code dictionary was left as it was");
        return kExitIncomplete;
    }
    PrintError(std::to_string(result.stored) + " codes stored in " + options.database);
    return kExitSuccess;
}

} // namespace

int RunCodes(const std::vector<std::string>& arguments) {
    std::string error;
    const auto options = parse(arguments, error);
    if (!options) {
        PrintError(error);
        std::fputs(kCodesUsage, stderr);
        return kExitUsage;
    }
    CliSettings store;
    const Language language(store.languageCode(options->language));
    if (options->import) {
        return importCodes(*options, store, language);
    }
    const CodeDictionary dictionary(options->database);
    Status status;
    const auto rows = options->text ? dictionary.search(Utf8ToAnsi(*options->text), status)
                                    : dictionary.allCodes(status);
    if (!status.ok()) {
        PrintError(status.describe());
        return status.code() == ErrorCode::FileNotFound ? kExitUsage : kExitIncomplete;
    }
    if (rows.empty()) {
        PrintError(language.LoadText(options->text ? 146 : 49));
        return kExitSuccess;
    }
    printCodes(rows, language);
    return kExitSuccess;
}

} // namespace kolvane::cli
