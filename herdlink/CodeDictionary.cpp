// SPDX-License-Identifier: MIT
#include "herdlink/CodeDictionary.h"

#include "engine/ColumnChecks.h"
#include "engine/Messages.h"
#include "herdlink/Sqlite.h"

namespace kolvane {
namespace {

constexpr std::string_view kSelectAll =
    "SELECT Mnemonico, Codigo_ADIS, INDICE_ADS, Explicacion, Decimales, Ancho, Tipo, Import_All "
    "FROM Codigos";

CodeRow rowOf(const sqlite::Statement& statement) {
    return {statement.text(0), statement.text(1), statement.text(2), statement.text(3),
            statement.text(4), statement.text(5), statement.text(6), statement.text(7)};
}

// Runs a SELECT of whole rows with the given text parameters.
std::vector<CodeRow> selectRows(const std::string& path, const std::string& sql,
                                const std::vector<std::string>& parameters, Status& status) {
    std::vector<CodeRow> rows;
    auto database = sqlite::Database::Open(path, sqlite::OpenMode::ReadOnly, status);
    if (!database) {
        return rows;
    }
    auto statement = database->prepare(sql, status);
    if (!statement) {
        return rows;
    }
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        statement->bind(static_cast<int>(i) + 1, parameters[i]);
    }
    while (statement->step(status)) {
        rows.push_back(rowOf(*statement));
    }
    return rows;
}

constexpr std::string_view kByMnemonic =
    " WHERE rtrim(lower(Mnemonico), ' ') = rtrim(lower(?1), ' ')";

std::optional<sqlite::Statement> prepareByMnemonic(sqlite::Database& database, Status& status) {
    return database.prepare(std::string(kSelectAll) + std::string(kByMnemonic), status);
}

// The row of a mnemonic through a statement of prepareByMnemonic: first looked for
// with one blank in front, then as typed.
std::optional<CodeRow> rowOfMnemonic(sqlite::Statement& byMnemonic, std::string_view mnemonic,
                                     Status& status) {
    for (const std::string& candidate : {" " + std::string(mnemonic), std::string(mnemonic)}) {
        byMnemonic.reset();
        byMnemonic.bind(1, candidate);
        if (byMnemonic.step(status)) {
            return rowOf(byMnemonic);
        }
        if (!status.ok()) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace

std::string PadText(std::string_view text, std::size_t width) {
    std::string padded(text.substr(0, width));
    padded.append(width - padded.size(), ' ');
    return padded;
}

std::string PadNumber(std::string_view number, std::size_t width) {
    if (number.size() >= width) {
        return std::string(number.substr(number.size() - width));
    }
    return std::string(width - number.size(), ' ') + std::string(number);
}

int FieldNumber(std::string_view field) {
    const std::size_t first = field.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return 0;
    }
    field = field.substr(first, field.find_last_not_of(' ') - first + 1);
    int value = 0;
    for (const char c : field) {
        if (c < '0' || c > '9' || value > 100000) {
            return 0;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

int TypeTextNumber(int tipo) {
    constexpr int kTypeTexts[] = {msg::DataTypeYesNo, msg::DataTypeInteger, msg::DataTypeDecimals,
                                  msg::DataTypeDate,  msg::DataTypeTime,    msg::DataTypeText};
    return tipo >= 1 && tipo <= 6 ? kTypeTexts[tipo - 1] : 0;
}

int ImportTextNumber(int importAll) {
    switch (importAll) {
    case 0:
        return msg::ImportRefused;
    case 1:
        return msg::ImportAllowed;
    case 2:
        return msg::ImportInitOption;
    case 8:
        return msg::ImportRestricted;
    case 17:
        return msg::ImportRestrictedOther;
    case 18:
        return msg::ImportInitOptionOther;
    default:
        return 0;
    }
}

std::vector<CodeRow> CodeDictionary::allCodes(Status& status) const {
    return selectRows(path_, std::string(kSelectAll), {}, status);
}

std::vector<CodeRow> CodeDictionary::search(std::string_view text, Status& status) const {
    // instr() finds the text literally; lower() on both sides ignores case.
    const std::string sql = std::string(kSelectAll) +
                            " WHERE instr(lower(Explicacion), lower(?1)) > 0"
                            " OR instr(lower(Mnemonico), lower(?1)) > 0"
                            " OR instr(lower(Codigo_ADIS), lower(?1)) > 0"
                            " OR instr(lower(INDICE_ADS), lower(?1)) > 0";
    return selectRows(path_, sql, {std::string(text)}, status);
}

std::optional<CodeRow> CodeDictionary::findByMnemonic(std::string_view mnemonic,
                                                      Status& status) const {
    auto database = sqlite::Database::Open(path_, sqlite::OpenMode::ReadOnly, status);
    if (!database) {
        return std::nullopt;
    }
    auto byMnemonic = prepareByMnemonic(*database, status);
    return byMnemonic ? rowOfMnemonic(*byMnemonic, mnemonic, status) : std::nullopt;
}

int CodeDictionary::dataType(std::string_view mnemonic, Status& status) const {
    const auto row = findByMnemonic(mnemonic, status);
    return row ? FieldNumber(row->Tipo) : 0;
}

std::optional<std::string> CodeDictionary::indexMnemonic(std::string_view indexNumber,
                                                         Status& status) const {
    status = Status::Ok();
    if (indexNumber == kNoIndex) {
        return std::nullopt;
    }
    const auto rows = selectRows(path_, std::string(kSelectAll) + " WHERE Codigo_ADIS = ?1",
                                 {std::string(indexNumber)}, status);
    if (rows.empty()) {
        return std::nullopt;
    }
    return rows.front().Mnemonico;
}

void FillDataTypes(ImportSetup& setup, const CodeDictionary& dictionary) {
    // One connection for every column: opening the file costs more than a lookup.
    Status status;
    auto database = sqlite::Database::Open(dictionary.path(), sqlite::OpenMode::ReadOnly, status);
    if (!database) {
        return;
    }
    auto byMnemonic = prepareByMnemonic(*database, status);
    if (!byMnemonic) {
        return;
    }
    for (ColumnDefinition& column : setup.ColumnTable) {
        if (column.Mnemonic.empty() || column.Mnemonic == kStoredDoNotImport) {
            continue;
        }
        const auto row = rowOfMnemonic(*byMnemonic, column.Mnemonic, status);
        if (!status.ok()) {
            return;
        }
        column.DataType = row ? FieldNumber(row->Tipo) : 0;
    }
}

} // namespace kolvane
