// SPDX-License-Identifier: MIT
// RAII wrappers over the SQLite C API.
#include "herdsim/Sqlite.h"

#include <sqlite3.h>

namespace herdsim {

using kolvane::ErrorCode;
using kolvane::Status;

namespace {
constexpr int kBusyTimeoutMs = 10000; // another import may hold the database briefly
}

void SqliteStatement::Finalizer::operator()(sqlite3_stmt* statement) const {
    sqlite3_finalize(statement);
}

void SqliteStatement::bind(int index, std::string_view text) {
    // A failed bind shows itself as an error at the next step.
    sqlite3_bind_text(statement_.get(), index, text.data(), static_cast<int>(text.size()),
                      SQLITE_TRANSIENT);
}

void SqliteStatement::bind(int index, long long value) {
    sqlite3_bind_int64(statement_.get(), index, value);
}

SqliteStatement::Step SqliteStatement::step() {
    switch (sqlite3_step(statement_.get())) {
    case SQLITE_ROW:
        return Step::Row;
    case SQLITE_DONE:
        return Step::Done;
    default:
        return Step::Error;
    }
}

void SqliteStatement::reset() {
    sqlite3_reset(statement_.get());
    sqlite3_clear_bindings(statement_.get());
}

std::string SqliteStatement::text(int column) const {
    const auto* bytes = sqlite3_column_blob(statement_.get(), column);
    const int size = sqlite3_column_bytes(statement_.get(), column);
    return bytes == nullptr
               ? std::string{}
               : std::string(static_cast<const char*>(bytes), static_cast<std::size_t>(size));
}

long long SqliteStatement::integer(int column) const {
    return sqlite3_column_int64(statement_.get(), column);
}

void SqliteDatabase::Closer::operator()(sqlite3* database) const {
    sqlite3_close_v2(database);
}

Status SqliteDatabase::Open(const std::string& path, Mode mode,
                            std::unique_ptr<SqliteDatabase>& database) {
    int flags = mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (mode == Mode::Create) {
        flags |= SQLITE_OPEN_CREATE;
    }
    sqlite3* handle = nullptr;
    const int result = sqlite3_open_v2(path.c_str(), &handle, flags, nullptr);
    std::unique_ptr<SqliteDatabase> opened(new SqliteDatabase(handle, path));
    if (result != SQLITE_OK) {
        return opened->error(ErrorCode::FileUnreadable, "cannot be opened");
    }
    sqlite3_busy_timeout(handle, kBusyTimeoutMs);
    database = std::move(opened);
    return Status::Ok();
}

Status SqliteDatabase::execute(const char* sql) {
    if (sqlite3_exec(database_.get(), sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        return error(ErrorCode::WriteFailed, "a statement failed");
    }
    return Status::Ok();
}

std::unique_ptr<SqliteStatement> SqliteDatabase::prepare(const char* sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(database_.get(), sql, -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return nullptr;
    }
    return std::make_unique<SqliteStatement>(statement);
}

long long SqliteDatabase::lastInsertId() const {
    return sqlite3_last_insert_rowid(database_.get());
}

Status SqliteDatabase::error(ErrorCode code, std::string_view doing) const {
    const char* message = database_ ? sqlite3_errmsg(database_.get()) : "out of memory";
    return {code, "The herd database " + std::string(doing) + ": " + message, path_};
}

} // namespace herdsim
