// SPDX-License-Identifier: MIT
#include "herdlink/Sqlite.h"

#include "engine/LineReader.h"
#include "engine/Messages.h"

#include <sqlite3.h>

namespace kolvane::sqlite {

void Database::Closer::operator()(sqlite3* connection) const {
    sqlite3_close_v2(connection); // closes once the last statement is finalized
}
void Statement::Finalizer::operator()(sqlite3_stmt* statement) const {
    sqlite3_finalize(statement);
}

std::optional<Database> Database::Open(const std::string& path, OpenMode mode, Status& status,
                                       std::chrono::milliseconds busyTimeout) {
    if (mode != OpenMode::Create) {
        if (Status check = CheckReadableFile(path); !check.ok()) {
            status = check.code() == ErrorCode::FileNotFound
                         ? Status(ErrorCode::FileNotFound, "the database was not found", path)
                               .withMessage(msg::FileNotFound)
                         : check;
            return std::nullopt;
        }
    }
    const int flags = mode == OpenMode::ReadOnly    ? SQLITE_OPEN_READONLY
                      : mode == OpenMode::ReadWrite ? SQLITE_OPEN_READWRITE
                                                    : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    sqlite3* connection = nullptr;
    const int result = sqlite3_open_v2(path.c_str(), &connection, flags, nullptr);
    Database database(connection, path);
    if (result != SQLITE_OK) {
        status = database.error("cannot be opened");
        return std::nullopt;
    }
    sqlite3_busy_timeout(connection, static_cast<int>(busyTimeout.count()));
    status = Status::Ok();
    return database;
}

Status Database::error(std::string_view what, ErrorCode code) const {
    const char* message = connection_ ? sqlite3_errmsg(connection_.get()) : "out of memory";
    return {code, std::string(what) + ": " + message, path_};
}

long long Database::lastInsertId() const {
    return sqlite3_last_insert_rowid(connection_.get());
}

Status Database::execute(std::string_view sql) {
    char* message = nullptr;
    const std::string text(sql);
    if (sqlite3_exec(connection_.get(), text.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        Status status{ErrorCode::BadFileFormat,
                      std::string("database error: ") + (message ? message : "unknown"), path_};
        sqlite3_free(message);
        return status;
    }
    return Status::Ok();
}

std::optional<Statement> Database::prepare(std::string_view sql, Status& status) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(connection_.get(), sql.data(), static_cast<int>(sql.size()), &raw,
                           nullptr) != SQLITE_OK) {
        sqlite3_finalize(raw);
        status = error("database error");
        return std::nullopt;
    }
    status = Status::Ok();
    return Statement(*this, raw);
}

Statement& Statement::bind(int index, std::string_view text) {
    sqlite3_bind_text(statement_.get(), index, text.data(), static_cast<int>(text.size()),
                      SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::bind(int index, long long number) {
    sqlite3_bind_int64(statement_.get(), index, number);
    return *this;
}

bool Statement::step(Status& status) {
    const int result = sqlite3_step(statement_.get());
    if (result == SQLITE_ROW) {
        status = Status::Ok();
        return true;
    }
    status = result == SQLITE_DONE ? Status::Ok() : database_->error("database error");
    return false;
}

Status Statement::run() {
    Status status;
    while (step(status)) {
    }
    return status;
}

std::string Statement::text(int column) const {
    const void* bytes = sqlite3_column_blob(statement_.get(), column);
    const int size = sqlite3_column_bytes(statement_.get(), column);
    return bytes ? std::string(static_cast<const char*>(bytes), static_cast<std::size_t>(size))
                 : std::string();
}

long long Statement::number(int column) const {
    return sqlite3_column_int64(statement_.get(), column);
}

void Statement::reset() {
    sqlite3_reset(statement_.get());
    sqlite3_clear_bindings(statement_.get());
}

Transaction::Transaction(Database& database) : database_(database) {
    begun_ = database_.execute("BEGIN IMMEDIATE");
    open_ = begun_.ok();
}

Transaction::~Transaction() {
    if (open_) {
        static_cast<void>(database_.execute("ROLLBACK"));
    }
}

Status Transaction::commit() {
    if (!open_) {
        return begun_;
    }
    Status committed = database_.execute("COMMIT");
    open_ = !committed.ok();
    return committed;
}

} // namespace kolvane::sqlite
