// SPDX-License-Identifier: MIT
// A thin RAII layer over the SQLite C API: a connection, prepared statements
// with bound parameters (values are never spliced into statements), and a
// transaction that rolls back unless committed.
#pragma once

#include "engine/Status.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace kolvane::sqlite {

enum class OpenMode { ReadOnly, ReadWrite, Create };

// How long a statement waits for another connection's lock before it fails.
inline constexpr std::chrono::milliseconds kDefaultBusyTimeout{5000};

class Statement;

class Database {
public:
    // Opens an existing file (ReadOnly, ReadWrite) or creates it (Create).
    // A missing file is FileNotFound with ReadOnly and ReadWrite: never a new,
    // empty database.
    static std::optional<Database>
    Open(const std::string& path, OpenMode mode, Status& status,
         std::chrono::milliseconds busyTimeout = kDefaultBusyTimeout);

    // Runs statements without parameters (several, separated by semicolons).
    Status execute(std::string_view sql);
    std::optional<Statement> prepare(std::string_view sql, Status& status);
    // The row id of the last row inserted through this connection.
    long long lastInsertId() const;
    // "<what>: <SQLite's message for the last failure>", naming the database file.
    Status error(std::string_view what, ErrorCode code = ErrorCode::BadFileFormat) const;
    const std::string& path() const { return path_; }

private:
    struct Closer {
        void operator()(sqlite3* connection) const;
    };
    Database(sqlite3* connection, std::string path)
        : connection_(connection), path_(std::move(path)) {}

    std::unique_ptr<sqlite3, Closer> connection_;
    std::string path_;
    friend class Statement;
};

class Statement {
public:
    Statement& bind(int index, std::string_view text);
    Statement& bind(int index, long long number);
    // Advances to the next row: true when there is one. A failure sets `status`.
    bool step(Status& status);
    Status run(); // steps to the end (statements without rows)
    // The bytes as stored, never converted (texts are in the ANSI code page).
    std::string text(int column) const;
    long long number(int column) const;
    void reset();

private:
    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const;
    };
    Statement(const Database& database, sqlite3_stmt* statement)
        : database_(&database), statement_(statement) {}

    const Database* database_;
    std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
    friend class Database;
};

// BEGIN IMMEDIATE now, ROLLBACK at the end unless commit() succeeded.
class Transaction {
public:
    explicit Transaction(Database& database);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    const Status& begun() const { return begun_; }
    Status commit();

private:
    Database& database_;
    Status begun_;
    bool open_ = false;
};

} // namespace kolvane::sqlite
