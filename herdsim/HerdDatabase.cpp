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

Status schemaVersion(SqliteDatabase& sql, long long& version) {
    const auto statement = sql.prepare("PRAGMA user_version");
    if (!statement || statement->step() != SqliteStatement::Step::Row) {
        return sql.error(ErrorCode::BadFileFormat, "cannot be read");
    }
    version = statement->integer(0);
    return Status::Ok();
}

Status ensureSchema(SqliteDatabase& sql) {
    long long version = 0;
    if (Status status = schemaVersion(sql, version); !status.ok()) {
        return status;
    }
    if (version == 0) {
        if (Status status = sql.execute(kSchema); !status.ok()) {
            sql.execute("ROLLBACK");
            return status;
        }
        return Status::Ok();
    }
    if (version != kSchemaVersion) {
        return sql.error(ErrorCode::BadFileFormat,
                         "has an unknown layout (version " + std::to_string(version) + ")");
    }
    return Status::Ok();
}

std::string entityText(long entity) {
    std::string digits = std::to_string(entity);
    return std::string(digits.size() < 6 ? 6 - digits.size() : 0, '0') + digits;
}

Status buildDatabase(const std::string& path) {
    std::unique_ptr<SqliteDatabase> sql;
    if (Status status = SqliteDatabase::Open(path, SqliteDatabase::Mode::Create, sql);
        !status.ok()) {
        return status;
    }
    return ensureSchema(*sql);
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
    std::unique_ptr<SqliteDatabase> sql;
    if (Status status = SqliteDatabase::Open(path, SqliteDatabase::Mode::ReadWrite, sql);
        !status.ok()) {
        return status;
    }
    if (Status status = ensureSchema(*sql); !status.ok()) {
        return status;
    }
    database.reset(new HerdDatabase(std::move(sql)));
    return Status::Ok();
}

Status HerdDatabase::OpenForReading(const std::string& path,
                                    std::unique_ptr<HerdDatabase>& database) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        return {ErrorCode::FileNotFound, "The herd database does not exist.", path};
    }
    std::unique_ptr<SqliteDatabase> sql;
    if (Status status = SqliteDatabase::Open(path, SqliteDatabase::Mode::ReadOnly, sql);
        !status.ok()) {
        return status;
    }
    long long version = 0;
    if (Status status = schemaVersion(*sql, version); !status.ok()) {
        return status;
    }
    if (version != kSchemaVersion) {
        return {ErrorCode::BadFileFormat, "The file is not a herd database.", path};
    }
    database.reset(new HerdDatabase(std::move(sql)));
    return Status::Ok();
}

Status ImportTransaction::Begin(HerdDatabase& database, const ImportReport& report,
                                std::unique_ptr<ImportTransaction>& transaction) {
    SqliteDatabase& sql = database.sql();
    if (Status status = sql.execute("BEGIN IMMEDIATE"); !status.ok()) {
        return status;
    }
    const auto insertImport =
        sql.prepare("INSERT INTO imports (imported_at, file, options) VALUES (?, ?, ?)");
    auto insertValue = sql.prepare("INSERT INTO record_values (import_id, record_number, "
                                   "item_number, value, entity) VALUES (?, ?, ?, ?, ?)");
    if (insertImport) {
        insertImport->bind(1, report.startedAt);
        insertImport->bind(2, report.file);
        insertImport->bind(3, report.options.describe());
    }
    if (!insertImport || !insertValue || insertImport->step() != SqliteStatement::Step::Done) {
        Status status = sql.error(ErrorCode::WriteFailed, "cannot record the import");
        sql.execute("ROLLBACK");
        return status;
    }
    transaction.reset(new ImportTransaction(database, sql.lastInsertId(), std::move(insertValue)));
    return Status::Ok();
}

ImportTransaction::~ImportTransaction() {
    if (!committed_) {
        insertValue_.reset();
        database_.sql().execute("ROLLBACK");
    }
}

Status ImportTransaction::store(const AcceptedRecord& record) {
    for (const StoredValue& value : record.values) {
        insertValue_->reset();
        insertValue_->bind(1, importId_);
        insertValue_->bind(2, static_cast<long long>(record.recordNumber));
        insertValue_->bind(3, static_cast<long long>(value.itemNumber));
        insertValue_->bind(4, value.value);
        insertValue_->bind(5, entityText(record.entity));
        if (insertValue_->step() != SqliteStatement::Step::Done) {
            return database_.sql().error(ErrorCode::WriteFailed, "cannot store a value");
        }
    }
    return Status::Ok();
}

Status ImportTransaction::commit(const ImportReport& report) {
    SqliteDatabase& sql = database_.sql();
    const auto update =
        sql.prepare("UPDATE imports SET options = ?, records_read = ?, records_imported = ?, "
                    "records_rejected = ?, errors = ?, warnings = ? WHERE id = ?");
    if (!update) {
        return sql.error(ErrorCode::WriteFailed, "cannot record the import");
    }
    update->bind(1, report.options.describe());
    update->bind(2, static_cast<long long>(report.counts.recordsRead));
    update->bind(3, static_cast<long long>(report.counts.recordsImported));
    update->bind(4, static_cast<long long>(report.counts.recordsRejected));
    update->bind(5, static_cast<long long>(report.errors()));
    update->bind(6, static_cast<long long>(report.warnings()));
    update->bind(7, importId_);
    if (update->step() != SqliteStatement::Step::Done) {
        return sql.error(ErrorCode::WriteFailed, "cannot record the import");
    }
    insertValue_.reset();
    if (Status status = sql.execute("COMMIT"); !status.ok()) {
        return status;
    }
    committed_ = true;
    return Status::Ok();
}

Status ReadStoredRecords(HerdDatabase& database, const std::vector<long>& items,
                         std::vector<StoredRecord>& records) {
    std::string query = "SELECT import_id, record_number, item_number, value FROM record_values "
                        "WHERE item_number IN (";
    for (std::size_t i = 0; i < items.size(); ++i) {
        query += i == 0 ? "?" : ", ?"; // one placeholder per item; the values are bound
    }
    query += ") ORDER BY import_id, record_number";
    const auto select = database.sql().prepare(query.c_str());
    if (!select) {
        return database.sql().error(ErrorCode::FileUnreadable, "cannot be read");
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        select->bind(static_cast<int>(i + 1), static_cast<long long>(items[i]));
    }
    records.clear();
    SqliteStatement::Step step;
    while ((step = select->step()) == SqliteStatement::Step::Row) {
        const long long importId = select->integer(0);
        const long recordNumber = static_cast<long>(select->integer(1));
        if (records.empty() || records.back().importId != importId ||
            records.back().recordNumber != recordNumber) {
            records.push_back({importId, recordNumber, {}});
        }
        records.back().values[static_cast<long>(select->integer(2))] = select->text(3);
    }
    if (step == SqliteStatement::Step::Error) {
        return database.sql().error(ErrorCode::FileUnreadable, "cannot be read");
    }
    return Status::Ok();
}

} // namespace herdsim
