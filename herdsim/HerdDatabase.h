// SPDX-License-Identifier: MIT
// The herd database herd.db in the install folder: one row per import (time,
// file, options, counts) and one row per stored value (import, record, item,
// value, entity). Each import is one transaction: it lands whole or not at all.
#pragma once

#include "engine/Status.h"
#include "herdlink/Sqlite.h"
#include "herdsim/ImportRun.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace herdsim {

inline constexpr const char* kHerdDatabaseName = "herd.db";

class HerdDatabase {
public:
    // Opens the database for imports, creating it with its tables on first use.
    static kolvane::Status Open(const std::string& path, std::unique_ptr<HerdDatabase>& database);
    // Opens an existing database without changing it.
    static kolvane::Status OpenForReading(const std::string& path,
                                          std::unique_ptr<HerdDatabase>& database);
    // Makes an empty database at `path` unless one is there. It is built under
    // a temporary name and linked into place, so no half-made file ever appears.
    static kolvane::Status CreateIfMissing(const std::string& path, bool& created);

    kolvane::sqlite::Database& sql() { return sql_; }

private:
    explicit HerdDatabase(kolvane::sqlite::Database sql) : sql_(std::move(sql)) {}
    kolvane::sqlite::Database sql_;
};

// One import's writes. Rolled back unless committed.
class ImportTransaction : public RecordStore {
public:
    static kolvane::Status Begin(HerdDatabase& database, const ImportReport& report,
                                 std::unique_ptr<ImportTransaction>& transaction);
    ImportTransaction(const ImportTransaction&) = delete;
    ImportTransaction& operator=(const ImportTransaction&) = delete;

    kolvane::Status store(const AcceptedRecord& record) override;
    // Writes the options and counts of the finished import and commits.
    kolvane::Status commit(const ImportReport& report);
    long long importId() const { return importId_; }

private:
    explicit ImportTransaction(HerdDatabase& database)
        : database_(database), transaction_(database.sql()) {}

    HerdDatabase& database_;
    kolvane::sqlite::Transaction transaction_;
    // Declared after the transaction: finalized before it rolls back.
    std::optional<kolvane::sqlite::Statement> insertValue_;
    long long importId_ = 0;
};

struct StoredRecord {
    long long importId = 0;
    long recordNumber = 0;
    std::map<long, std::string> values; // by item number
};

// The stored records that have a value for at least one of the items, in the
// order they were imported; only the values of those items are filled in.
kolvane::Status ReadStoredRecords(HerdDatabase& database, const std::vector<long>& items,
                                  std::vector<StoredRecord>& records);

} // namespace herdsim
