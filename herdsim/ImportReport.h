// SPDX-License-Identifier: MIT
// What an import did and found: its options, its counts and the report groups
// that the result file lists (where, what, why, and what became of it).
#pragma once

#include <string>
#include <vector>

namespace herdsim {

struct ImportOptions {
    bool errok = false;   // records with errors are skipped, the rest imported
    bool init = false;    // items with the init permission may be set
    bool errexit = false; // the first error stops the import
    bool zero = false;    // zero values are stored instead of meaning "no value"
    bool trigger = false; // recorded with the import

    // "errok, zero", or "none".
    std::string describe() const;
};

enum class Severity { Error, Warning };

struct ReportGroup {
    Severity severity = Severity::Error;
    std::string where;   // "Error in line 7 of the ADIS file (record 3)"
    std::string subject; // "Item 00900032 TESTDATE, value "20031332""
    std::string reason;  // "The value is not a valid date (YYYYMMDD)."
    std::string outcome; // "Record not imported."
};

struct ImportCounts {
    long recordsRead = 0;
    long recordsImported = 0;
    long recordsRejected = 0;
    long valuesStored = 0;
};

class ImportReport {
public:
    // A file with many faulty records must not make the report grow without end:
    // after this many groups the rest are only counted.
    static constexpr std::size_t kMaxGroups = 5000;

    std::string file;      // the ADIS file as named on the command line, with ".ads"
    std::string startedAt; // "2024-05-01 10:22:33"
    ImportOptions options;
    ImportCounts counts;
    bool ran = true; // false when the import could not run at all

    void add(ReportGroup group);
    const std::vector<ReportGroup>& groups() const { return groups_; }
    long errors() const { return errors_; }
    long warnings() const { return warnings_; }
    long groupsLeftOut() const { return leftOut_; }

private:
    std::vector<ReportGroup> groups_;
    long errors_ = 0;
    long warnings_ = 0;
    long leftOut_ = 0;
};

} // namespace herdsim
