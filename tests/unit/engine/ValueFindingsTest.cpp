// SPDX-License-Identifier: MIT
// The value check: every kind of finding, its edge cases, and the same
// findings whichever path converts (in memory, streaming, on helper threads).
#include "engine/AdisConversion.h"
#include "engine/Crea_Adis.h"
#include "engine/ValueChecks.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

namespace kolvane {
namespace {

ColumnDefinition column(std::string mnemonic, std::string item, std::string width) {
    ColumnDefinition definition;
    definition.Mnemonic = std::move(mnemonic);
    definition.ItemNumber = std::move(item);
    definition.Width = std::move(width);
    definition.Decimals = "0";
    return definition;
}

ColumnDefinition decimalColumn(std::string width, std::string decimals) {
    ColumnDefinition definition = column("MKG", "900047", std::move(width));
    definition.DecimalSeparator = ".";
    definition.Decimals = std::move(decimals);
    return definition;
}

// "kind severity line:column source->written" of every kept finding.
std::vector<std::string> described(const ValueFindings& findings) {
    std::vector<std::string> lines;
    for (const ValueFinding& f : findings.kept()) {
        static constexpr const char* kinds[] = {"cut", "nan", "date", "time", "index"};
        lines.push_back(std::string(kinds[static_cast<int>(f.kind)]) +
                        (f.severity == Severity::Error ? " E " : " W ") +
                        std::to_string(f.sourceLine) + ":" + std::to_string(f.column) + " " +
                        f.sourceText + "->" + f.writtenText);
    }
    return lines;
}

class ValueCheck : public testing::EngineFixture {
protected:
    // Converts one cell per row of a table whose only column is `definition`.
    std::vector<std::string> check(const ColumnDefinition& definition,
                                   std::initializer_list<std::string_view> cells) {
        setup.ColumnTable = {definition};
        setup.SourceTable.reset(1);
        for (const std::string_view cell : cells) {
            setup.SourceTable.appendRow(std::span(&cell, 1));
        }
        status = BuildAdisText(setup, context());
        return described(setup.AdisFindings);
    }
    void addRow(std::vector<std::string_view> cells) {
        if (setup.SourceTable.columnCount() != static_cast<int>(cells.size())) {
            setup.SourceTable.reset(static_cast<int>(cells.size()));
        }
        setup.SourceTable.appendRow(cells);
    }
    Status status;
};

using Lines = std::vector<std::string>;

TEST_F(ValueCheck, NumbersLongerThanTheirWidthAreCutErrorsTextsCutWarnings) {
    ColumnDefinition urea = column("URE", "900140", "03");
    urea.DataType = kIntegerDataType;
    EXPECT_EQ(check(urea, {"1228", "122", "-12", "-123", ""}),
              (Lines{"cut E 1:1 1228->122", "cut E 4:1 -123->-12"}));
    EXPECT_EQ(check(column("NAME", "900100", "05"), {"Bella Donna", "Berta"}),
              (Lines{"cut W 1:1 Bella Donna->Bella"}));
}

TEST_F(ValueCheck, TheDecimalShiftDecidesTheWidthThatCounts) {
    // 12.346 rounds to 1235 (fits four), 99.996 carries into a fifth digit.
    EXPECT_EQ(check(decimalColumn("04", "2"), {"12.346", "99.996", "7"}),
              (Lines{"cut E 2:1 99.996->1000"}));
    EXPECT_TRUE(status.ok());
}

TEST_F(ValueCheck, ANumberMayHoldDigitsBlanksAndOneLeadingSignOnly) {
    EXPECT_EQ(check(decimalColumn("08", "2"), {"12,34", "n/a", "-1.5", "+3", "1-2", " 4", ""}),
              (Lines{"nan E 1:1 12,34->12,3400", "nan E 2:1 n/a->n/a00", "nan E 5:1 1-2->1-200"}));
    EXPECT_TRUE(IsNumberText("  -12 "));
    EXPECT_FALSE(IsNumberText("--1"));
    EXPECT_FALSE(IsNumberText("1+"));
}

TEST_F(ValueCheck, TextInANumericCodeIsNoNumberEvenWithoutSeparator) {
    ColumnDefinition cells = column("ZZ", "900150", "05");
    cells.DataType = kDecimalDataType;
    EXPECT_EQ(check(cells, {"123456", "12a"}),
              (Lines{"cut E 1:1 123456->12345", "nan E 2:1 12a->12a"}));
}

TEST_F(ValueCheck, DatesMustBeCalendarDaysReadWhole) {
    setup.DateFormatName = "dd-mm-aa";
    ColumnDefinition date = column("KDAT", "900032", "08");
    date.IsDate = true;
    EXPECT_EQ(check(date, {"25-12-03", "31-02-26", "01-13-26", "4.12.2026", "29-02-24",
                           "25-12-03 14:30", ""}),
              (Lines{"date E 2:1 31-02-26->20260231", "date E 3:1 01-13-26->20261301",
                     "date E 4:1 4.12.2026->20201204"}));
    EXPECT_TRUE(status.ok());
}

TEST_F(ValueCheck, AnUntranslatableDateStopsTheConverterButNotTheRunner) {
    setup.DateFormatName = "dd-mm-aa";
    ColumnDefinition date = column("KDAT", "900032", "08");
    date.IsDate = true;
    EXPECT_EQ(check(date, {"1-2-3", "1-2-03"}), (Lines{"date E 1:1 1-2-3->"}));
    EXPECT_EQ(status.code(), ErrorCode::DateConversion);

    setup.StoredAdisHeader = "DN000000";
    setup.SourceTable.reset(1);
    for (const std::string_view cell : {"1-2-3", "1-2-3"}) {
        setup.SourceTable.appendRow(std::span(&cell, 1));
    }
    ASSERT_TRUE(BuildAdisText(setup, context(), AdisVariant::Runner).ok());
    EXPECT_EQ(described(setup.AdisFindings), (Lines{"date E 1:1 1-2-3->", "date E 2:1 1-2-3->"}));
}

TEST_F(ValueCheck, TimesOverTheClockAreErrors) {
    ColumnDefinition time = column("ZEIT", "900033", "06");
    time.IsTime = true;
    EXPECT_EQ(check(time, {"23:59:59", "24:00", "7:60", "7:05:61", ""}),
              (Lines{"time E 2:1 24:00->240000", "time E 3:1 7:60->076000",
                     "time E 4:1 7:05:61->070561"}));
}

TEST_F(ValueCheck, AnEmptyIndexValueIsAWarningOnlyWhereAnotherColumnNeedsIt) {
    ColumnDefinition animal = column("TIER", "900080", "05");
    ColumnDefinition milk = column("MKG", "900047", "04");
    milk.RequiredIndex = "    900080";
    ColumnDefinition remark = column("REM", "900100", "04"); // needs nobody
    setup.ColumnTable = {animal, milk, remark, ColumnDefinition{}};
    addRow({"DE1", "12", ""});
    addRow({"  ", "13", ""});
    ASSERT_TRUE(BuildAdisText(setup, context()).ok());
    EXPECT_EQ(described(setup.AdisFindings), (Lines{"index W 2:1   ->  "}));
    EXPECT_EQ(setup.AdisFindings.warnings(), 1u);
    EXPECT_EQ(setup.AdisFindings.errors(), 0u);
}

TEST_F(ValueCheck, GoodValuesAreWrittenAsBeforeAndFindNothing) {
    ColumnDefinition urea = column("URE", "900140", "03");
    urea.DataType = kIntegerDataType;
    check(urea, {"1228"});
    const std::string cut = setup.AdisText;
    EXPECT_NE(cut.find("VN000000122\r\n"), std::string::npos); // the bytes stay as they were
    check(decimalColumn("05", "1"), {"12.5", "-3", ""});
    EXPECT_TRUE(setup.AdisFindings.empty());
}

TEST_F(ValueCheck, FindingsNameTheSourceLineOfEachRow) {
    setup.Separator = ";";
    setup.TopLinesToSkip = 2;
    ColumnDefinition urea = column("URE", "900140", "03");
    urea.DataType = kIntegerDataType;
    setup.ColumnTable = {urea};
    StringSink sink;
    ConversionOptions options;
    options.threads = 1;
    const ConversionResult result = ConvertSourceToAdis(
        setup, context(), SourceData::text("head\nhead\n1\n\n1228\n", "in.txt"), options, sink);
    ASSERT_TRUE(result.complete());
    EXPECT_EQ(described(result.findings), (Lines{"cut E 5:1 1228->122"}));
}

TEST(ValueFindingsBound, KeepsTheFirstThousandAndCountsTheRest) {
    ValueFindings first;
    ValueFindings later;
    for (long line = 1; line <= 700; ++line) {
        first.add({.sourceLine = line, .kind = FindingKind::Cut});
        later.add({.sourceLine = 700 + line, .kind = FindingKind::Time});
    }
    later.add({.sourceLine = 1401, .kind = FindingKind::EmptyIndex, .severity = Severity::Warning});
    first.merge(later);
    ASSERT_EQ(first.kept().size(), ValueFindings::kKeptLimit);
    EXPECT_EQ(first.kept().back().sourceLine, 1000);
    EXPECT_EQ(first.count(FindingKind::Time, Severity::Error), 700u);
    EXPECT_EQ(first.count(FindingKind::EmptyIndex, Severity::Warning), 1u);
    EXPECT_EQ(first.errors(), 1400u);
    EXPECT_EQ(first.warnings(), 1u);
}

// 3,000 rows, every one with a cut number and every fifth a bad time: helper
// threads must keep the same first thousand, in the same order, and the same counts.
TEST(ValueFindingsPaths, HelperThreadsFindWhatOneThreadFinds) {
    std::string text;
    for (int r = 1; r <= 3000; ++r) {
        text += std::to_string(1000 + r) + ";" + (r % 5 == 0 ? "25:00" : "07:00") + "\n";
    }
    const auto run = [&](unsigned threads, AdisVariant variant) {
        Language language("EN");
        testing::RecordingPort port;
        FixedClock clock{std::chrono::year{2026} / 12 / 8};
        ImportSetup setup;
        setup.Separator = ";";
        ColumnDefinition number = column("N", "900047", "03");
        number.DataType = kIntegerDataType;
        ColumnDefinition time = column("T", "900033", "06");
        time.IsTime = true;
        setup.ColumnTable = {number, time, ColumnDefinition{}};
        setup.StoredAdisHeader = "DN000000";
        StringSink sink;
        ConversionOptions options;
        options.variant = variant;
        options.threads = threads;
        return ConvertSourceToAdis(setup, {language, port, NumberFormat{'.'}, clock},
                                   SourceData::text(text, "in.txt"), options, sink)
            .findings;
    };
    for (const AdisVariant variant : {AdisVariant::Converter, AdisVariant::Runner}) {
        const ValueFindings single = run(1, variant);
        const ValueFindings parallel = run(3, variant);
        EXPECT_EQ(single.count(FindingKind::Cut, Severity::Error), 3000u);
        EXPECT_EQ(single.count(FindingKind::Time, Severity::Error), 600u);
        ASSERT_EQ(single.kept().size(), ValueFindings::kKeptLimit);
        EXPECT_EQ(single.kept(), parallel.kept());
        EXPECT_EQ(parallel.errors(), single.errors());
    }
}

} // namespace
} // namespace kolvane
