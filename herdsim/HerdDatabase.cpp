// SPDX-License-Identifier: MIT
// The herd database: schema, one transaction per import, stored records.
#include "herdsim/HerdDatabase.h"

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace herdsim {
namespace {

using kolvane::ErrorCode;
using kolvane::Status;

constexpr long long kSchemaVersion = 1;

constexpr const char* kSchema = R"sql(
BEGIN IMMEDIATE;
CREATE TABLE IF NOT EXISTS imports (
    id INTEGER PRIMARY KEY,
    imported_at TEXT NOT NULL,
    file TEXT NOT NULL,
    options TEXT NOT NULL DEFAULT '',
    records_read INTEGER NOT NULL DEFAULT 0,
    records_imported INTEGER NOT NULL DEFAULT 0,
    records_rejected INTEGER NOT NULL DEFAULT 0,
    errors INTEGER NOT NULL DEFAULT 0,
    warnings INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS record_values (
    import_id INTEGER NOT NULL REFERENCES imports(id),
    record_number INTEGER NOT NULL,
    item_number INTEGER NOT NULL,
    value TEXT NOT NULL,
    entity TEXT NOT NULL,
    PRIMARY KEY (import_id, record_number, item_number));
CREATE INDEX IF NOT EXISTS record_values_by_item ON record_values(item_number);
PRAGMA user_version = 1;
COMMIT;
)sql";

using kolvane::sqlite::Database;
using kolvane::sqlite::OpenMode;

// Another import may hold the database for a while.
constexpr std::chrono::seconds kBusyTimeout{10};

Status failure(const Database& sql, ErrorCode code, std::string_view doing) {
    return sql.error("The herd database " + std::string(doing), code);
}

Status schemaVersion(Database& sql, long long& version) {
    Status status;
    auto statement = sql.prepare("PRAGMA user_version", status);
    if (!statement || !statement->step(status)) {
        return failure(sql, ErrorCode::BadFileFormat, "cannot be read");
    }
    version = statement->number(0);
    return Status::Ok();
}

Status ensureSchema(Database& sql) {
    long long version = 0;
    if (Status status = schemaVersion(sql, version); !status.ok()) {
        return status;
    }
    if (version == 0) {
        if (Status status = sql.execute(kSchema); !status.ok()) {
            static_cast<void>(sql.execute("ROLLBACK"));
            return status;
        }
        return Status::Ok();
    }
    if (version != kSchemaVersion) {
        return failure(sql, ErrorCode::BadFileFormat,
                       "has an unknown layout (version " + std::to_string(version) + ")");
    }
    return Status::Ok();
}

std::string entityText(long entity) {
    std::string digits = std::to_string(entity);
    return std::string(digits.size() < 6 ? 6 - digits.size() : 0, '0') + digits;
}

Status buildDatabase(const std::string& path) {
    Status status;
    auto sql = Database::Open(path, OpenMode::Create, status, kBusyTimeout);
    return sql ? ensureSchema(*sql) : status;
}

} // namespace

Status HerdDatabase::CreateIfMissing(const std::string& path, bool& created) {
    created = false;
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        return Status::Ok();
    }
    const std::string temporary = path + ".new-" + std::to_string(getpid());
    std::filesystem::remove(temporary, ec);
    Status status = buildDatabase(temporary);
    // link() refuses to replace: a database that appeared meanwhile is kept.
    if (status.ok() && link(temporary.c_str(), path.c_str()) != 0 && errno != EEXIST) {
        status = {ErrorCode::WriteFailed,
                  "The herd database cannot be created: " + std::generic_category().message(errno),
                  path};
    }
    created = status.ok() && std::filesystem::exists(path, ec);
    std::filesystem::remove(temporary, ec);
    return status;
}

Status HerdDatabase::Open(const std::string& path, std::unique_ptr<HerdDatabase>& database) {
    bool created = false;
    if (Status status = CreateIfMissing(path, created); !status.ok()) {
        return status;
    }
    Status status;
    auto sql = Database::Open(path, OpenMode::ReadWrite, status, kBusyTimeout);
    if (!sql) {
        return status;
    }
    if (Status schema = ensureSchema(*sql); !schema.ok()) {
        return schema;
    }
    database.reset(new HerdDatabase(std::move(*sql)));
    return Status::Ok();
}

Status HerdDatabase::OpenForReading(const std::string& path,
                                    std::unique_ptr<HerdDatabase>& database) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        return {ErrorCode::FileNotFound, "The herd database does not exist.", path};
    }
    Status status;
    auto sql = Database::Open(path, OpenMode::ReadOnly, status, kBusyTimeout);
    if (!sql) {
        return status;
    }
    long long version = 0;
    if (Status read = schemaVersion(*sql, version); !read.ok()) {
        return read;
    }
    if (version != kSchemaVersion) {
        return {ErrorCode::BadFileFormat, "The file is not a herd database.", path};
    }
    database.reset(new HerdDatabase(std::move(*sql)));
    return Status::Ok();
}

Status ImportTransaction::Begin(HerdDatabase& database, const ImportReport& report,
                                std::unique_ptr<ImportTransaction>& transaction) {
    std::unique_ptr<ImportTransaction> begun(new ImportTransaction(database));
    if (!begun->transaction_.begun().ok()) {
        return begun->transaction_.begun();
    }
    Database& sql = database.sql();
    Status status;
    auto insertImport =
        sql.prepare("INSERT INTO imports (imported_at, file, options) VALUES (?, ?, ?)", status);
    if (!insertImport || !insertImport->bind(1, report.startedAt)
                              .bind(2, report.file)
                              .bind(3, report.options.describe())
                              .run()
                              .ok()) {
        return failure(sql, ErrorCode::WriteFailed, "cannot record the import");
    }
    begun->importId_ = sql.lastInsertId();
    begun->insertValue_ = sql.prepare("INSERT INTO record_values (import_id, record_number, "
                                      "item_number, value, entity) VALUES (?, ?, ?, ?, ?)",
                                      status);
    if (!begun->insertValue_) {
        return failure(sql, ErrorCode::WriteFailed, "cannot record the import");
    }
    transaction = std::move(begun);
    return Status::Ok();
}

Status ImportTransaction::store(const AcceptedRecord& record) {
    for (const StoredValue& value : record.values) {
        insertValue_->reset();
        insertValue_->bind(1, importId_)
            .bind(2, static_cast<long long>(record.recordNumber))
            .bind(3, static_cast<long long>(value.itemNumber))
            .bind(4, value.value)
            .bind(5, entityText(record.entity));
        if (!insertValue_->run().ok()) {
            return failure(database_.sql(), ErrorCode::WriteFailed, "cannot store a value");
        }
    }
    return Status::Ok();
}

Status ImportTransaction::commit(const ImportReport& report) {
    Database& sql = database_.sql();
    Status status;
    auto update =
        sql.prepare("UPDATE imports SET options = ?, records_read = ?, records_imported = ?, "
                    "records_rejected = ?, errors = ?, warnings = ? WHERE id = ?",
                    status);
    if (update) {
        update->bind(1, report.options.describe())
            .bind(2, static_cast<long long>(report.counts.recordsRead))
            .bind(3, static_cast<long long>(report.counts.recordsImported))
            .bind(4, static_cast<long long>(report.counts.recordsRejected))
            .bind(5, static_cast<long long>(report.errors()))
            .bind(6, static_cast<long long>(report.warnings()))
            .bind(7, importId_);
    }
    if (!update || !update->run().ok()) {
        return failure(sql, ErrorCode::WriteFailed, "cannot record the import");
    }
    insertValue_.reset();
    return transaction_.commit();
}

Status ReadStoredRecords(HerdDatabase& database, const std::vector<long>& items,
                         std::vector<StoredRecord>& records) {
    std::string query = "SELECT import_id, record_number, item_number, value FROM record_values "
                        "WHERE item_number IN (";
    for (std::size_t i = 0; i < items.size(); ++i) {
        query += i == 0 ? "?" : ", ?"; // one placeholder per item; the values are bound
    }
    query += ") ORDER BY import_id, record_number";
    Database& sql = database.sql();
    Status status;
    auto select = sql.prepare(query, status);
    if (!select) {
        return failure(sql, ErrorCode::FileUnreadable, "cannot be read");
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        select->bind(static_cast<int>(i + 1), static_cast<long long>(items[i]));
    }
    records.clear();
    while (select->step(status)) {
        const long long importId = select->number(0);
        const long recordNumber = static_cast<long>(select->number(1));
        if (records.empty() || records.back().importId != importId ||
            records.back().recordNumber != recordNumber) {
            records.push_back({importId, recordNumber, {}});
        }
        records.back().values[static_cast<long>(select->number(2))] = select->text(3);
    }
    return status.ok() ? Status::Ok() : failure(sql, ErrorCode::FileUnreadable, "cannot be read");
}

} // namespace herdsim
