// SPDX-License-Identifier: MIT
// A thin RAII layer over the SQLite C API. Values always travel as bound
// parameters; SQL text is never built from data.
#pragma once

#include "engine/Status.h"

#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace herdsim {

class SqliteStatement {
public:
    explicit SqliteStatement(sqlite3_stmt* statement) : statement_(statement) {}

    // Parameters count from 1, columns from 0.
    void bind(int index, std::string_view text);
    void bind(int index, long long value);
    enum class Step { Row, Done, Error };
    Step step();
    void reset();
    std::string text(int column) const;
    long long integer(int column) const;

private:
    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const;
    };
    std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
};

class SqliteDatabase {
public:
    enum class Mode { ReadOnly, ReadWrite, Create };
    static kolvane::Status Open(const std::string& path, Mode mode,
                                std::unique_ptr<SqliteDatabase>& database);

    kolvane::Status execute(const char* sql);
    // Nothing when the statement cannot be prepared; error() says why.
    std::unique_ptr<SqliteStatement> prepare(const char* sql);
    long long lastInsertId() const;
    // The last error as a status naming the database file.
    kolvane::Status error(kolvane::ErrorCode code, std::string_view doing) const;

private:
    struct Closer {
        void operator()(sqlite3* database) const;
    };
    SqliteDatabase(sqlite3* database, std::string path)
        : database_(database), path_(std::move(path)) {}

    std::unique_ptr<sqlite3, Closer> database_;
    std::string path_;
};

} // namespace herdsim
