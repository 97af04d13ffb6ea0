// SPDX-License-Identifier: MIT
// Tests of the ADIS reader: good files, malformed lines, a large real file.
#include "herdsim/AdisReader.h"

#include "herdsim/AdisSummary.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace herdsim {
namespace {

std::vector<AdisRecord> readAll(const std::string& text, std::size_t maxLine = 1 << 20) {
    std::istringstream in(text);
    AdisReader reader(in, maxLine);
    std::vector<AdisRecord> records;
    while (auto record = reader.next()) {
        records.push_back(std::move(*record));
    }
    return records;
}

std::vector<RecordKind> kinds(const std::vector<AdisRecord>& records) {
    std::vector<RecordKind> result;
    for (const auto& record : records) {
        result.push_back(record.kind);
    }
    return result;
}

const std::string kProductFile = "fN errok=1\r\n"
                                 "DH00000000000000080\r\n"
                                 "VH000000DD      \r\n"
                                 "DN000000009000801500090003208000800044031\r\n"
                                 "VN00000027600030550173020261203153\r\n"
                                 "VN00000027600079457355520261204165\r\n"
                                 "ZN\r\n";

TEST(AdisReader, ReadsTheLinesTheProductWrites) {
    const auto records = readAll(kProductFile);
    using K = RecordKind;
    EXPECT_EQ(kinds(records), (std::vector<K>{K::Option, K::Definition, K::Value, K::Definition,
                                              K::Value, K::Value, K::End}));
    EXPECT_EQ(records[0].optionName, "errok");
    EXPECT_EQ(records[0].optionValue, "1");

    const AdisDefinition& definition = *records[3].definition;
    ASSERT_EQ(definition.items.size(), 3u);
    EXPECT_EQ(definition.items[0].itemNumber, 900080);
    EXPECT_EQ(definition.items[0].width, 15);
    EXPECT_EQ(definition.items[2].paddedNumber(), "00800044");
    EXPECT_EQ(definition.items[2].decimals, 1);
    EXPECT_EQ(definition.items[2].text, "00800044031");
    EXPECT_EQ(definition.valueWidth(), 26u);

    EXPECT_EQ(records[4].values, (std::vector<std::string>{"276000305501730", "20261203", "153"}));
    EXPECT_EQ(records[4].problem, "");
    EXPECT_EQ(records[5].lineNumber, 6);
    // The header value is cut by the header definition, not by the DN line.
    EXPECT_EQ(records[2].values, (std::vector<std::string>{"DD      "}));
}

TEST(AdisReader, AcceptsLfAloneAndAFinalLineWithoutBreak) {
    std::string lf = kProductFile;
    for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;) {
        lf.erase(at, 1);
    }
    lf.pop_back(); // no break after "ZN"
    const auto withCrLf = readAll(kProductFile);
    const auto withLf = readAll(lf);
    ASSERT_EQ(withLf.size(), withCrLf.size());
    for (std::size_t i = 0; i < withLf.size(); ++i) {
        EXPECT_EQ(withLf[i].line, withCrLf[i].line);
        EXPECT_EQ(withLf[i].values, withCrLf[i].values);
    }
}

TEST(AdisReader, ValuesFollowTheLastDefinitionOfTheirEntity) {
    const auto records = readAll("DN00000100900080150\n"
                                 "DN00000200900032080\n"
                                 "VN000001276000305501730\n"
                                 "VN00000220031225\n"
                                 "DN00000100900032080\n"
                                 "VN00000119990101\n");
    using K = RecordKind;
    ASSERT_EQ(kinds(records), (std::vector<K>{K::Definition, K::Definition, K::Value, K::Value,
                                              K::Definition, K::Value}));
    EXPECT_EQ(records[2].values, (std::vector<std::string>{"276000305501730"}));
    EXPECT_EQ(records[3].values, (std::vector<std::string>{"20031225"}));
    EXPECT_EQ(records[5].values, (std::vector<std::string>{"19990101"}));
    EXPECT_EQ(records[5].definition->lineNumber, 5);
}

TEST(AdisReader, DefinitionsMayCarryBlankAlignedNumbers) {
    const auto records = readAll("DN     0     901100     904 40\n");
    ASSERT_EQ(records[0].kind, RecordKind::Definition);
    EXPECT_EQ(records[0].definition->items[0].itemNumber, 901);
    EXPECT_EQ(records[0].definition->items[1].width, 4);
}

TEST(AdisReader, ReportsMalformedLinesWithTheirLineNumbers) {
    const auto records = readAll("DN00000000900080150\n"
                                 "\n"
                                 "X\n"
                                 "QN123\n"
                                 "DN0000000090008015\n"      // 10 characters of items
                                 "DN00000000900080X50\n"     // width not a number
                                 "DNabcdef00900080150\n"     // entity not a number
                                 "VN000000276000305501730\n" // its definition was broken
                                 "VN000009123\n"             // no definition for entity 9
                                 "fN errok\n"                // no "="
                                 "V\n");
    ASSERT_EQ(records.size(), 11u);
    for (std::size_t i = 1; i < records.size(); ++i) {
        EXPECT_EQ(records[i].kind, RecordKind::Malformed) << records[i].line;
        EXPECT_EQ(records[i].lineNumber, static_cast<long>(i + 1));
        EXPECT_NE(records[i].problem, "") << records[i].line;
    }
    EXPECT_EQ(records[1].problem, "The line is empty.");
    EXPECT_NE(records[3].problem.find("\"QN\""), std::string::npos);
    EXPECT_NE(records[8].problem.find("entity 000009"), std::string::npos);
}

TEST(AdisReader, ValueLinesOfTheWrongLengthAreCutAndFlagged) {
    const auto records = readAll("DN0000000090008015000900032080\n"
                                 "VN000000276000305501730200312251\n"
                                 "VN0000002760003055\n");
    ASSERT_EQ(records[1].kind, RecordKind::Value);
    EXPECT_EQ(records[1].values, (std::vector<std::string>{"276000305501730", "20031225"}));
    EXPECT_NE(records[1].problem.find("1 characters longer"), std::string::npos);
    ASSERT_EQ(records[2].kind, RecordKind::Value);
    EXPECT_EQ(records[2].values, (std::vector<std::string>{"2760003055", ""}));
    EXPECT_NE(records[2].problem.find("13 characters shorter"), std::string::npos);
}

TEST(AdisReader, LinesOverTheBoundAreSkippedWithoutBeingKept) {
    const std::string longLine = "CN" + std::string(5000, 'x');
    const auto records = readAll("DN00000000900080150\n" + longLine + "\nZN\n", 100);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].kind, RecordKind::Malformed);
    EXPECT_LE(records[1].line.size(), 100u);
    EXPECT_NE(records[1].problem.find("longer than 100"), std::string::npos);
    EXPECT_EQ(records[2].kind, RecordKind::End);
    EXPECT_EQ(records[2].lineNumber, 3);
}

TEST(AdisReader, BinaryGarbageNeverStopsTheReader) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage += static_cast<char>((i * 7919) % 256);
    }
    const auto records = readAll(garbage + "\nZN");
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().kind, RecordKind::End);
}

TEST(AdisReader, ReadsTheAgro2013DataDictionary) {
    const std::string path = HERDSIM_AGRO2013_FILE;
    if (!std::filesystem::exists(path)) {
        GTEST_SKIP() << path << " is not on this machine";
    }
    std::ifstream in(path, std::ios::binary);
    const AdisSummary summary = SummarizeAdis(in);
    EXPECT_EQ(summary.lines, 22427);
    EXPECT_EQ(summary.definitionLines, 10);
    EXPECT_EQ(summary.valueLines, 22413);
    EXPECT_EQ(summary.headerDefinitionLines, 1);
    EXPECT_EQ(summary.headerValueLines, 1);
    EXPECT_EQ(summary.commentLines, 2);
    EXPECT_EQ(summary.malformedLines, 0);
    EXPECT_EQ(summary.endLines, 0);
    // Texts stored as UTF-8 are longer than their fields: flagged, not fatal.
    EXPECT_GT(summary.problemCount, 0);
    EXPECT_LT(summary.problemCount, summary.valueLines / 10);
    EXPECT_EQ(summary.problems.size(), AdisSummary::kMaxProblemsKept);
    EXPECT_EQ(summary.entities.at({'N', 190002}).records, 422);
    EXPECT_EQ(summary.entities.at({'N', 190001}).items.size(), 3u);
}

TEST(AdisReader, CutsTheAgro2013ValuesByTheirDefinition) {
    const std::string path = HERDSIM_AGRO2013_FILE;
    if (!std::filesystem::exists(path)) {
        GTEST_SKIP() << path << " is not on this machine";
    }
    std::ifstream in(path, std::ios::binary);
    AdisReader reader(in);
    std::vector<AdisRecord> firstValues;
    while (auto record = reader.next()) {
        if (record->kind == RecordKind::Value && record->status == 'N' && firstValues.size() < 2) {
            firstValues.push_back(std::move(*record));
        }
    }
    ASSERT_EQ(firstValues.size(), 2u);
    EXPECT_EQ(firstValues[0].values,
              (std::vector<std::string>{"AGRO2013", "20130101", "????????"}));
    EXPECT_EQ(firstValues[1].values,
              (std::vector<std::string>{"1996    ", "990001", "??????????????????"}));
}

} // namespace
} // namespace herdsim
