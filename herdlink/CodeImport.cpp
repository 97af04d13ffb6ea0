// SPDX-License-Identifier: MIT
#include "herdlink/CodeImport.h"

#include "herdlink/AdisExchange.h"
#include "herdlink/Sqlite.h"
#include "storage/AtomicFile.h"

namespace kolvane {
namespace {

constexpr std::string_view kCreateTable =
    "CREATE TABLE Codigos (Mnemonico TEXT, Codigo_ADIS TEXT, INDICE_ADS TEXT, "
    "Explicacion TEXT, Decimales TEXT, Ancho TEXT, Tipo TEXT, Import_All TEXT)";

Status insertRows(sqlite::Database& database, const std::vector<CodeRow>& rows) {
    Status status;
    auto insert = database.prepare(
        "INSERT INTO Codigos (Mnemonico, Codigo_ADIS, INDICE_ADS, Explicacion, Decimales, Ancho, "
        "Tipo, Import_All) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)",
        status);
    if (!insert) {
        return status;
    }
    for (const CodeRow& row : rows) {
        insert->bind(1, row.Mnemonico)
            .bind(2, row.Codigo_ADIS)
            .bind(3, row.INDICE_ADS)
            .bind(4, row.Explicacion)
            .bind(5, row.Decimales)
            .bind(6, row.Ancho)
            .bind(7, row.Tipo)
            .bind(8, row.Import_All);
        if (Status inserted = insert->run(); !inserted.ok()) {
            return inserted;
        }
        insert->reset();
    }
    return Status::Ok();
}

// The values of one answer record go into the fields by the order of the request.
std::vector<CodeRow> rowsOf(const AdisRecords& records) {
    std::vector<CodeRow> rows;
    for (const auto& items : records) {
        if (items.size() < 8) {
            continue;
        }
        CodeRow row{items[2].value, items[0].value, items[1].value, items[3].value,
                    items[4].value, items[5].value, items[6].value, items[7].value};
        // A record without a mnemonic cannot be used; blanks are a mnemonic as sent.
        if (!row.Mnemonico.empty()) {
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

// An answer that would leave the dictionary empty or filled with the wrong
// fields is refused: the codes the user has are worth more than none.
Status checkCodeAnswer(const AdisRecords& records, const std::vector<CodeRow>& rows) {
    constexpr std::size_t kItems = 8; // as many as the request asks for
    for (std::size_t r = 0; r < records.size(); ++r) {
        if (records[r].size() != kItems) {
            return {ErrorCode::BadFileFormat,
                    "record " + std::to_string(r + 1) + " of the herd software's code list holds " +
                        std::to_string(records[r].size()) + " items instead of the " +
                        std::to_string(kItems) + " asked for"};
        }
    }
    if (rows.empty()) {
        return {ErrorCode::BadFileFormat,
                records.empty() ? "the herd software's code list holds no code"
                                : "no record of the herd software's code list holds a mnemonic"};
    }
    return Status::Ok();
}

// Opens the dictionary, prepares the table with `first` (emptying or creating
// it) and stores the rows, all in one transaction.
Status fillDictionary(const std::string& path, sqlite::OpenMode mode, std::string_view first,
                      const std::vector<CodeRow>& rows) {
    Status status;
    auto database = sqlite::Database::Open(path, mode, status);
    if (!database) {
        return status;
    }
    sqlite::Transaction transaction(*database);
    if (!transaction.begun().ok()) {
        return transaction.begun();
    }
    if (Status prepared = database->execute(first); !prepared.ok()) {
        return prepared;
    }
    if (Status inserted = insertRows(*database, rows); !inserted.ok()) {
        return inserted;
    }
    return transaction.commit();
}

} // namespace

Status ReplaceCodes(const std::string& databasePath, const std::vector<CodeRow>& rows) {
    return fillDictionary(databasePath, sqlite::OpenMode::ReadWrite, "DELETE FROM Codigos", rows);
}

Status CreateCodeDictionary(const std::string& databasePath, const std::vector<CodeRow>& rows) {
    // SQLite writes the file by its path: it is built beside the target and
    // renamed over it only once complete.
    AtomicPathWriter file;
    if (Status reserved = file.reserve(databasePath); !reserved.ok()) {
        return reserved;
    }
    if (Status filled = fillDictionary(file.path(), sqlite::OpenMode::Create, kCreateTable, rows);
        !filled.ok()) {
        return filled;
    }
    return file.commit();
}

CodeImportResult Importar_Codigos(const std::string& databasePath, RegistryBackend& registry,
                                  UserPort& port) {
    CodeImportResult result;
    // Check the dictionary before asking the herd software, which can take minutes.
    Status status;
    if (!sqlite::Database::Open(databasePath, sqlite::OpenMode::ReadWrite, status)) {
        result.failure = CodeImportResult::Failure::DictionaryUnusable;
        result.status = status;
        return result;
    }
    ADIS exchange(registry, port);
    std::string request(kCodeRequest);
    AutomationError error;
    const auto records = exchange.Traspaso(request, error);
    if (!records) {
        result.failure = error.number == kCannotCreateObject
                             ? CodeImportResult::Failure::ServerUnavailable
                             : CodeImportResult::Failure::ServerError;
        result.serverError = error;
        result.status = {ErrorCode::BadFileFormat, "the herd software gave no code list (error " +
                                                       std::to_string(error.number) + ": " +
                                                       error.description + ")"};
        return result;
    }
    const std::vector<CodeRow> rows = rowsOf(*records);
    if (Status usable = checkCodeAnswer(*records, rows); !usable.ok()) {
        result.failure = CodeImportResult::Failure::AnswerUnusable;
        result.status = usable;
        return result;
    }
    result.status = ReplaceCodes(databasePath, rows);
    result.stored = result.status.ok() ? rows.size() : 0;
    if (!result.status.ok()) {
        result.failure = CodeImportResult::Failure::DictionaryUnusable;
    }
    return result;
}

} // namespace kolvane
