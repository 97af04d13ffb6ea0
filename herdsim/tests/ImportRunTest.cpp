// SPDX-License-Identifier: MIT
// Tests of the import checks, the options and the result file.
#include "herdsim/ImportRun.h"

#include "herdsim/ResultFile.h"

#include <gtest/gtest.h>
#include <sstream>

namespace herdsim {
namespace {

using kolvane::Status;

struct Column {
    long item;
    int width;
    int decimals = 0;
};

// Items of the built-in code list used below.
const Column kAnimal{900080, 15};
const Column kTestDate{900032, 8};
const Column kMilk{800044, 3, 1};
const Column kCells{900047, 5};
const Column kName{900045, 24};    // needs the init option
const Column kFarmKey{800004, 15}; // restricted
const Column kVersion{900002, 8};  // never imported

std::string definitionLine(const std::vector<Column>& columns) {
    std::string line = "DN000000";
    for (const auto& column : columns) {
        const std::string number = std::to_string(column.item);
        const std::string width = std::to_string(column.width);
        line += std::string(8 - number.size(), '0') + number + std::string(2 - width.size(), '0') +
                width + std::to_string(column.decimals);
    }
    return line + "\r\n";
}

std::string valueLine(const std::vector<Column>& columns, const std::vector<std::string>& values) {
    std::string line = "VN000000";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        std::string value = values[i];
        value.resize(static_cast<std::size_t>(columns[i].width), ' ');
        line += value;
    }
    return line + "\r\n";
}

class MemoryStore : public RecordStore {
public:
    Status store(const AcceptedRecord& record) override {
        if (failAt == static_cast<long>(records.size()) + 1) {
            return {kolvane::ErrorCode::WriteFailed, "disk full"};
        }
        records.push_back(record);
        return Status::Ok();
    }
    std::vector<AcceptedRecord> records;
    long failAt = 0;
};

struct Outcome {
    Status status;
    ImportReport report;
    MemoryStore store;
};

void runImport(const std::string& adis, Outcome& outcome) {
    std::istringstream in(adis);
    outcome.report.file = "/farm/adis.ads";
    outcome.status = RunImport(in, CodeList::Seed(), outcome.store, outcome.report);
}

std::string header(const std::string& options = "") {
    return options + "DH00000000000000080\r\nVH000000DD      \r\n";
}

const std::vector<Column> kDayColumns = {kAnimal, kTestDate, kMilk, kCells};

std::string dayFile(const std::vector<std::vector<std::string>>& rows,
                    const std::string& options = "") {
    std::string text = header(options) + definitionLine(kDayColumns);
    for (const auto& row : rows) {
        text += valueLine(kDayColumns, row);
    }
    return text + "ZN\r\n";
}

TEST(ImportRun, StoresGoodRecordsWithoutReports) {
    Outcome outcome;
    runImport(dayFile({{"276000305501730", "20261203", "153", "94"},
                       {"276000794573555", "20261204", "165", "  30"}}),
              outcome);
    ASSERT_TRUE(outcome.status.ok());
    EXPECT_EQ(outcome.report.groups().size(), 0u);
    EXPECT_EQ(outcome.report.counts.recordsRead, 2);
    EXPECT_EQ(outcome.report.counts.recordsImported, 2);
    EXPECT_EQ(outcome.report.counts.valuesStored, 8);
    ASSERT_EQ(outcome.store.records.size(), 2u);
    const AcceptedRecord& second = outcome.store.records[1];
    EXPECT_EQ(second.recordNumber, 2);
    EXPECT_EQ(second.lineNumber, 5);
    ASSERT_EQ(second.values.size(), 4u);
    EXPECT_EQ(second.values[3].itemNumber, 900047);
    EXPECT_EQ(second.values[3].value, "30"); // without its alignment blanks
}

TEST(ImportRun, ABadDateIsReportedInFourLines) {
    Outcome outcome;
    runImport(dayFile({{"276000305501730", "20261203", "153", "94"},
                       {"276000305501730", "20031332", "153", "94"}}),
              outcome);
    ASSERT_EQ(outcome.report.groups().size(), 1u);
    const ReportGroup& group = outcome.report.groups()[0];
    EXPECT_EQ(group.severity, Severity::Error);
    EXPECT_EQ(group.where, "Error in line 5 of the ADIS file (record 2)");
    EXPECT_EQ(group.subject, "Item 00900032 TESTDATE, value \"20031332\"");
    EXPECT_EQ(group.reason, "The value is not a valid date (YYYYMMDD).");
    EXPECT_EQ(group.outcome, "Record not imported.");
    EXPECT_EQ(outcome.report.counts.recordsImported, 1);
    EXPECT_EQ(outcome.report.counts.recordsRejected, 1);
}

TEST(ImportRun, EachValueRuleRejectsItsRecord) {
    struct Case {
        std::vector<std::string> row;
        std::string reasonPart;
    };
    const std::vector<Case> cases = {
        {{"27600030550173x", "20261203", "153", "94"}, "whole number"},
        {{"276000305501730", "20260230", "153", "94"}, "valid date"},
        {{"276000305501730", "20261203", "1.5", "94"}, "decimal places are implied"},
        {{"276000305501730", "20261203", "153", "9 4"}, "whole number"},
        {{"", "20261203", "", ""}, "index item 00900080 ANIMALID"},
    };
    for (const auto& entry : cases) {
        Outcome outcome;
        runImport(dayFile({entry.row}), outcome);
        ASSERT_EQ(outcome.report.groups().size(), 1u) << entry.reasonPart;
        EXPECT_NE(outcome.report.groups()[0].reason.find(entry.reasonPart), std::string::npos)
            << outcome.report.groups()[0].reason;
        EXPECT_EQ(outcome.store.records.size(), 0u);
    }
}

TEST(ImportRun, BlankValuesAreNotChecked) {
    Outcome outcome;
    runImport(dayFile({{"276000305501730", "", "???", ""}}), outcome);
    EXPECT_EQ(outcome.report.groups().size(), 0u);
    ASSERT_EQ(outcome.store.records.size(), 1u);
    EXPECT_EQ(outcome.store.records[0].values.size(), 1u);
}

TEST(ImportRun, DefinitionFaultsAreReportedOnceAndFailEveryRecord) {
    const std::vector<std::pair<Column, std::string>> cases = {
        {{900999, 4}, "does not know this item"},
        {{900032, 6}, "width 06; the herd program keeps this item 8 characters wide"},
        {kVersion, "does not accept this item"},
    };
    for (const auto& [column, reasonPart] : cases) {
        const std::vector<Column> columns = {kAnimal, column};
        Outcome outcome;
        runImport(header() + definitionLine(columns) + valueLine(columns, {"1", ""}) +
                      valueLine(columns, {"2", ""}) + "ZN\r\n",
                  outcome);
        ASSERT_EQ(outcome.report.groups().size(), 1u) << reasonPart;
        const ReportGroup& group = outcome.report.groups()[0];
        EXPECT_EQ(group.where, "Error in line 3 of the ADIS file (definition line)");
        EXPECT_NE(group.reason.find(reasonPart), std::string::npos) << group.reason;
        EXPECT_EQ(group.outcome, "No record of this definition line is imported.");
        EXPECT_EQ(outcome.report.counts.recordsRejected, 2);
        EXPECT_EQ(outcome.store.records.size(), 0u);
    }
}

TEST(ImportRun, IndexItemMissingFromTheDefinition) {
    const std::vector<Column> columns = {kTestDate};
    Outcome outcome;
    runImport(header() + definitionLine(columns) + valueLine(columns, {"20261203"}) +
                  valueLine(columns, {""}) + "ZN\r\n",
              outcome);
    ASSERT_EQ(outcome.report.groups().size(), 1u);
    EXPECT_EQ(outcome.report.groups()[0].where, "Error in line 4 of the ADIS file (record 1)");
    EXPECT_EQ(outcome.report.counts.recordsImported, 1); // the blank one needs no index
}

TEST(ImportRun, ErrokTurnsErrorsIntoWarningsAndImportsTheRest) {
    Outcome outcome;
    runImport(dayFile({{"276000305501730", "20031332", "153", "94"},
                       {"276000794573555", "20261204", "165", "30"}},
                      "fN errok=1\r\n"),
              outcome);
    EXPECT_TRUE(outcome.report.options.errok);
    ASSERT_EQ(outcome.report.groups().size(), 1u);
    EXPECT_EQ(outcome.report.groups()[0].severity, Severity::Warning);
    EXPECT_EQ(outcome.report.groups()[0].where, "Warning in line 5 of the ADIS file (record 1)");
    EXPECT_EQ(outcome.report.errors(), 0);
    EXPECT_EQ(outcome.report.counts.recordsImported, 1);
}

TEST(ImportRun, ErrexitStopsAtTheFirstError) {
    Outcome outcome;
    runImport(dayFile({{"276000305501730", "20261203", "153", "94"},
                       {"27600079457355x", "20031332", "165", "30"},
                       {"276000794573555", "20261204", "165", "30"}},
                      "fN errexit=1\r\n"),
              outcome);
    ASSERT_EQ(outcome.report.groups().size(), 1u); // the second fault of record 2 is not read
    EXPECT_NE(outcome.report.groups()[0].outcome.find("stopped here (errexit=1)"),
              std::string::npos);
    EXPECT_EQ(outcome.report.counts.recordsRead, 2);
    EXPECT_EQ(outcome.report.counts.recordsImported, 1);
    EXPECT_EQ(outcome.store.records.size(), 1u);
}

TEST(ImportRun, InitItemsNeedTheInitOptionAndRestrictedOnesAreLeftOut) {
    const std::vector<Column> columns = {kAnimal, kName, kFarmKey};
    const std::string body = header() + definitionLine(columns) +
                             valueLine(columns, {"276000305501730", "Bella", "12345"}) + "ZN\r\n";
    Outcome without;
    runImport(body, without);
    ASSERT_EQ(without.report.groups().size(), 2u);
    EXPECT_EQ(without.report.groups()[0].severity, Severity::Warning);
    EXPECT_NE(without.report.groups()[0].reason.find("init=1"), std::string::npos);
    EXPECT_NE(without.report.groups()[1].reason.find("restricted"), std::string::npos);
    ASSERT_EQ(without.store.records.size(), 1u);
    EXPECT_EQ(without.store.records[0].values.size(), 1u);

    Outcome with;
    runImport("fN init=1\r\n" + body, with);
    ASSERT_EQ(with.report.groups().size(), 1u);
    ASSERT_EQ(with.store.records[0].values.size(), 2u);
    EXPECT_EQ(with.store.records[0].values[1].value, "Bella");
}

TEST(ImportRun, ZeroValuesAreStoredOnlyWithTheZeroOption) {
    const auto rows = std::vector<std::vector<std::string>>{{"276000305501730", "", "000", "0"}};
    Outcome without;
    runImport(dayFile(rows), without);
    ASSERT_EQ(without.store.records.size(), 1u);
    EXPECT_EQ(without.store.records[0].values.size(), 1u);
    Outcome with;
    runImport(dayFile(rows, "fN zero=1\r\n"), with);
    ASSERT_EQ(with.store.records.size(), 1u);
    EXPECT_EQ(with.store.records[0].values.size(), 3u);
    EXPECT_EQ(with.store.records[0].values[1].value, "000");
}

TEST(ImportRun, OptionLinesAreCheckedAndRecorded) {
    Outcome outcome;
    runImport("fN trigger=1\r\nfN bogus=1\r\nfN zero=2\r\n" +
                  dayFile({{"276000305501730", "", "", ""}}, "") + "fN errok=1\r\n",
              outcome);
    EXPECT_TRUE(outcome.report.options.trigger);
    EXPECT_FALSE(outcome.report.options.zero);
    EXPECT_EQ(outcome.report.options.describe(), "trigger");
    EXPECT_EQ(outcome.report.warnings(), 3); // bogus, zero=2, lines after the end
}

TEST(ImportRun, OptionsAfterTheDataAreIgnored) {
    Outcome outcome;
    std::string text = dayFile({{"276000305501730", "", "", ""}});
    text.insert(text.find("ZN"), "fN errok=1\r\n");
    runImport(text, outcome);
    EXPECT_FALSE(outcome.report.options.errok);
    ASSERT_EQ(outcome.report.groups().size(), 1u);
    EXPECT_EQ(outcome.report.groups()[0].reason, "Options must come before the data.");
}

TEST(ImportRun, TheShapeOfTheFileIsChecked) {
    Outcome noEnd;
    std::string text = dayFile({{"276000305501730", "", "", ""}});
    runImport(text.substr(0, text.find("ZN")), noEnd);
    ASSERT_EQ(noEnd.report.groups().size(), 1u);
    EXPECT_EQ(noEnd.report.groups()[0].subject, "End line (ZN) missing");
    EXPECT_EQ(noEnd.report.counts.recordsImported, 1);

    Outcome empty;
    runImport("", empty);
    ASSERT_EQ(empty.report.groups().size(), 1u);
    EXPECT_EQ(empty.report.groups()[0].reason, "The file holds no lines.");

    Outcome broken;
    runImport(header() + "VN000000123\r\nXX\r\nZN\r\n", broken);
    ASSERT_EQ(broken.report.groups().size(), 2u);
    EXPECT_EQ(broken.report.groups()[0].where, "Error in line 3 of the ADIS file (record 1)");
    EXPECT_EQ(broken.report.groups()[1].outcome, "Line skipped.");
    EXPECT_EQ(broken.report.counts.recordsRejected, 1);
}

TEST(ImportRun, AFailingStoreStopsTheImport) {
    Outcome outcome;
    outcome.store.failAt = 2;
    runImport(dayFile({{"276000305501730", "", "", ""}, {"276000794573555", "", "", ""}}), outcome);
    EXPECT_FALSE(outcome.status.ok());
    EXPECT_EQ(outcome.status.message(), "disk full");
}

// Lines of a result file split at CR LF; every line must end in CR LF.
std::vector<std::string> resultLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    return lines;
}

TEST(ResultFile, NothingReportedIsTheHeaderAndTheEndLine) {
    Outcome outcome;
    runImport(dayFile({{"276000305501730", "20261203", "153", "94"}}), outcome);
    outcome.report.startedAt = "2026-12-04 08:15:00";
    const auto lines = resultLines(FormatResultFile(outcome.report));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "CN HXDataExchange import of /farm/adis.ads");
    EXPECT_EQ(lines[1], "CN Started 2026-12-04 08:15:00; options: none");
    EXPECT_EQ(lines[2], "CN Records: 1 read, 1 imported, 0 not imported; 0 errors, 0 warnings.");
    EXPECT_EQ(lines[3], "ZN No errors or warnings.");
}

TEST(ResultFile, ReportsComeInGroupsOfFourPrefixedLines) {
    Outcome outcome;
    runImport(dayFile({{"276000305501730", "20031332", "1\r3", "94"},
                       {"276000305501730", "20261203", "153", "94"}},
                      "fN init=1\r\n") +
                  "ZN\r\n",
              outcome);
    const auto lines = resultLines(FormatResultFile(outcome.report));
    ASSERT_EQ(lines.size(), 3u + 4u * 3u + 1u); // date, milk, lines after the end
    for (const auto& line : lines) {
        ASSERT_GE(line.size(), 3u);
        EXPECT_EQ(line[2], ' ') << line;
    }
    EXPECT_EQ(lines[3], "CE Error in line 5 of the ADIS file (record 1)");
    EXPECT_EQ(lines[4], "CI Item 00900032 TESTDATE, value \"20031332\"");
    EXPECT_EQ(lines[5], "CM The value is not a valid date (YYYYMMDD).");
    EXPECT_EQ(lines[6], "CS Record not imported.");
    EXPECT_EQ(lines[8], "CI Item 00800044 MILKKG, value \"1?3\""); // the CR cannot break a line
    EXPECT_EQ(lines[11].substr(0, 3), "CW ");
    EXPECT_EQ(lines.back(), "ZN End of report: 2 errors, 1 warning.");
    EXPECT_EQ(lines[1].substr(lines[1].size() - 4), "init");
}

TEST(ResultFile, ACouldNotRunReportIsOneGroup) {
    const auto lines = resultLines(FormatResultFile(
        CouldNotRunReport("/farm/adis.ads", "2026-12-04 08:15:00", "The file does not exist.")));
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[2], "CN The import could not run; nothing was imported.");
    EXPECT_EQ(lines[3], "CE The import could not run");
    EXPECT_EQ(lines[5], "CM The file does not exist.");
    EXPECT_EQ(lines[7].substr(0, 2), "ZN");
}

TEST(ResultFile, AFloodOfFaultsIsCutButCounted) {
    std::vector<std::vector<std::string>> rows(ImportReport::kMaxGroups + 10, {"x", "", "", ""});
    Outcome outcome;
    runImport(dayFile(rows), outcome);
    EXPECT_EQ(outcome.report.errors(), static_cast<long>(rows.size()));
    EXPECT_EQ(outcome.report.groupsLeftOut(), 10);
    const auto lines = resultLines(FormatResultFile(outcome.report));
    ASSERT_EQ(lines.size(), 3u + 4u * (ImportReport::kMaxGroups + 1) + 1u);
    EXPECT_EQ(lines[lines.size() - 4], "CI 10 more errors and warnings were found");
}

} // namespace
} // namespace herdsim
