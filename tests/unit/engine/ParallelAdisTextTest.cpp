// SPDX-License-Identifier: MIT
// The ADIS text of a large source table built on helper threads must be what
// building it row by row gives: text, messages, findings, flags and status.
#include "engine/Crea_Adis.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

namespace kolvane {
namespace {

struct Built {
    std::string text;
    std::vector<int> messages;
    std::string status;
    bool dateFailed = false;
    std::vector<ValueFinding> kept;
    std::size_t errors = 0;
    std::size_t warnings = 0;
};

class ParallelAdisText : public testing::EngineFixture {
protected:
    void SetUp() override {
        const auto column = [](const char* mnemonic, const char* item, const char* width) {
            ColumnDefinition definition;
            definition.Mnemonic = mnemonic;
            definition.ItemNumber = item;
            definition.Width = width;
            return definition;
        };
        ColumnDefinition id = column("ID", "900080", "08");
        id.DataType = kIntegerDataType; // "DE..." is no number: a finding on every row
        ColumnDefinition date = column("DATE", "900032", "08");
        date.IsDate = true;
        ColumnDefinition amount = column("A", "800044", "05");
        amount.DecimalSeparator = ".";
        amount.Decimals = "1";
        amount.CorrectionFactor = "*10";
        setup.DateFormatName = "dd-mm-aa";
        setup.ColumnTable = {id, date, amount};
        setup.StoredAdisHeader = "DH00000000000000080\r\nVH000000DD      \r\nDN000000";
        setup.SourceTable.reset(3);
    }

    void fill(std::size_t rows, std::size_t badDateEvery) {
        for (std::size_t r = 1; r <= rows; ++r) {
            const std::string id = "DE" + std::to_string(r);
            const std::string date =
                badDateEvery != 0 && r % badDateEvery == 0 ? "1-2" : "31-12-69";
            const std::string amount = std::to_string(r % 1000) + ".25";
            const std::string_view cells[] = {id, date, amount};
            setup.SourceTable.appendRow(cells, static_cast<long>(r) + 1);
        }
    }

    Built build(unsigned threads, AdisVariant variant) {
        ImportSetup copy = setup;
        port.messages.clear();
        const Status status = BuildAdisText(copy, context(), variant, threads);
        return {copy.AdisText,
                port.messages,
                status.describe(),
                copy.DateConversionFailed,
                copy.AdisFindings.kept(),
                copy.AdisFindings.errors(),
                copy.AdisFindings.warnings()};
    }

    void expectSame(AdisVariant variant) {
        const Built alone = build(1, variant);
        for (const unsigned threads : {2u, 3u}) {
            const Built helped = build(threads, variant);
            EXPECT_TRUE(helped.text == alone.text)
                << threads << " threads: " << helped.text.size() << " bytes, " << alone.text.size()
                << " expected";
            EXPECT_EQ(helped.messages, alone.messages) << threads << " threads";
            EXPECT_EQ(helped.status, alone.status) << threads << " threads";
            EXPECT_EQ(helped.dateFailed, alone.dateFailed) << threads << " threads";
            EXPECT_TRUE(helped.kept == alone.kept) << threads << " threads";
            EXPECT_EQ(helped.errors, alone.errors) << threads << " threads";
            EXPECT_EQ(helped.warnings, alone.warnings) << threads << " threads";
        }
    }
};

TEST_F(ParallelAdisText, ACleanTableOfManyChunks) {
    fill(50000, 0);
    expectSame(AdisVariant::Converter);
    const Built built = build(2, AdisVariant::Converter);
    EXPECT_TRUE(built.text.ends_with("\r\nZN"));
    EXPECT_EQ(built.errors, 50000u);
    EXPECT_EQ(built.kept.size(), ValueFindings::kKeptLimit);
}

TEST_F(ParallelAdisText, TheConverterStopsAtTheFirstBadDate) {
    fill(50000, 31000);
    expectSame(AdisVariant::Converter);
    const Built built = build(2, AdisVariant::Converter);
    EXPECT_EQ(built.messages, std::vector<int>{msg::DateNotTranslated});
    EXPECT_TRUE(built.dateFailed);
    EXPECT_FALSE(built.text.ends_with("ZN"));
}

TEST_F(ParallelAdisText, TheRunnerGoesOnPastBadDatesAndTellsOnce) {
    fill(50000, 7000);
    expectSame(AdisVariant::Runner);
    const Built built = build(2, AdisVariant::Runner);
    EXPECT_EQ(built.messages, std::vector<int>{msg::DateNotTranslated});
    EXPECT_TRUE(built.dateFailed);
    EXPECT_TRUE(built.text.ends_with("ZN"));
}

TEST_F(ParallelAdisText, AFactorThatDividesByZeroFailsOnTheFirstRow) {
    setup.ColumnTable[2].CorrectionFactor = "/0";
    fill(40000, 0);
    expectSame(AdisVariant::Converter);
}

} // namespace
} // namespace kolvane

namespace kolvane {
namespace {

TEST(SourceTableRows, ReadAtOnceAsCellByCell) {
    SourceTable table(3);
    const std::string wide(300, 'w'); // widens the cell ends to two bytes
    const std::string_view first[] = {"a", "", "bc"};
    const std::string_view second[] = {"", wide, "d"};
    const std::string_view third[] = {"e"}; // missing cells are empty
    table.appendRow(first);
    table.appendRow(second);
    table.appendRow(third);
    std::vector<std::string_view> cells(3);
    for (std::size_t r = 0; r < table.rowCount(); ++r) {
        table.row(r, cells);
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(cells[static_cast<std::size_t>(c)], table.cell(r, c)) << r << ", " << c;
        }
    }
    EXPECT_EQ(cells[0], "e");
    EXPECT_THROW(table.row(3, cells), std::out_of_range);
}

} // namespace
} // namespace kolvane
