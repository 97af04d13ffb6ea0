// SPDX-License-Identifier: MIT
// Converting on helper threads must give exactly what converting row by row
// gives: the same text, the same messages in the same order, the same outcome.
#include "engine/AdisConversion.h"
#include "tests/support/EngineFixture.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kolvane {
namespace {

struct Outcome {
    std::string text;
    std::vector<int> messages;
    SourceReadResult::Outcome readOutcome;
    std::string status;
    int statusMessage;
    bool dateFailed;
    bool mismatch;
    std::vector<long> sourceLines; // of every row converted
};

class ParallelConversion : public ::testing::Test {
protected:
    // Rows: id;date;number;code — a date column, a factor column whose operator
    // is neither "*" nor "/" (msg::FactorOnText for text), and a plain column.
    static std::string source(int rows, int badDateRow, int extraFieldRow, int textFactorEvery) {
        std::string text;
        for (int r = 1; r <= rows; ++r) {
            text += "DE" + std::to_string(r) + ";";
            text += r == badDateRow ? "1-2-3" : "25-12-03";
            text += ";";
            text += textFactorEvery > 0 && r % textFactorEvery == 0 ? "abc" : std::to_string(r);
            text += ";x";
            if (r == extraFieldRow) {
                text += ";extra";
            }
            text += r % 7 == 0 ? "\n\n" : "\r\n"; // empty lines give no rows
        }
        return text;
    }

    static Outcome convert(const std::string& text, unsigned threads, AdisVariant variant) {
        Language language("EN");
        testing::RecordingPort port;
        FixedClock clock{std::chrono::year{2026} / 12 / 8};
        const EngineContext context{language, port, NumberFormat{'.'}, clock};
        ImportSetup setup;
        setup.Separator = ";";
        setup.DateFormatName = "dd-mm-aa";
        const auto column = [](const char* mnemonic, const char* item, const char* width) {
            ColumnDefinition definition;
            definition.Mnemonic = mnemonic;
            definition.ItemNumber = item;
            definition.Width = width;
            return definition;
        };
        ColumnDefinition id = column("ID", "900080", "12");
        ColumnDefinition date = column("DATE", "900032", "08");
        date.IsDate = true;
        ColumnDefinition number = column("N", "900047", "06");
        number.CorrectionFactor = "+1";
        ColumnDefinition code = column("C", "1", "");
        setup.ColumnTable = {id, date, number, code};
        setup.StoredAdisHeader = "DH00000000000000080\r\nVH000000DD      \r\nDN000000";
        ConversionOptions options;
        options.variant = variant;
        options.threads = threads;
        StringSink sink;
        const auto result =
            ConvertSourceToAdis(setup, context, SourceData::text(text, "in.txt"), options, sink);
        std::vector<long> lines;
        for (std::size_t row = 0; row < result.rows; ++row) {
            lines.push_back(result.sourceLines.line(row));
        }
        return {sink.text,
                port.messages,
                result.readOutcome,
                result.status.describe(),
                result.status.messageNumber(),
                setup.DateConversionFailed,
                setup.ColumnCountMismatch,
                lines};
    }

    static void expectSame(const std::string& text, AdisVariant variant) {
        const Outcome alone = convert(text, 1, variant);
        for (const unsigned threads : {2u, 3u}) {
            const Outcome helped = convert(text, threads, variant);
            EXPECT_EQ(helped.text, alone.text) << threads << " threads";
            EXPECT_EQ(helped.messages, alone.messages) << threads << " threads";
            EXPECT_EQ(helped.readOutcome, alone.readOutcome);
            EXPECT_EQ(helped.status, alone.status);
            EXPECT_EQ(helped.statusMessage, alone.statusMessage);
            EXPECT_EQ(helped.dateFailed, alone.dateFailed);
            EXPECT_EQ(helped.mismatch, alone.mismatch);
            // After a failure the helpers may have been handed rows that were never converted.
            const std::size_t rows = std::min(helped.sourceLines.size(), alone.sourceLines.size());
            EXPECT_TRUE(std::equal(alone.sourceLines.begin(), alone.sourceLines.begin() + rows,
                                   helped.sourceLines.begin()));
        }
    }
};

TEST_F(ParallelConversion, CleanFileOfManyBatches) {
    expectSame(source(20000, 0, 0, 0), AdisVariant::Converter);
    const Outcome helped = convert(source(20000, 0, 0, 0), 2, AdisVariant::Converter);
    EXPECT_TRUE(helped.text.ends_with("ZN\r\n"));
    // Every seventh row is followed by an empty line: the rows after it lie one line further.
    ASSERT_EQ(helped.sourceLines.size(), 20000u);
    EXPECT_EQ(helped.sourceLines[6], 7);
    EXPECT_EQ(helped.sourceLines[7], 9);
    EXPECT_EQ(helped.sourceLines[19999], 20000 + 19999 / 7);
}

TEST_F(ParallelConversion, MessagesKeepTheirOrder) {
    expectSame(source(9000, 0, 0, 997), AdisVariant::Converter);
    EXPECT_EQ(convert(source(9000, 0, 0, 997), 2, AdisVariant::Converter).messages.size(), 9u);
}

TEST_F(ParallelConversion, FirstFailureInRowOrderWins) {
    // The bad date comes first: the reader's later mismatch must not show.
    expectSame(source(12000, 4100, 9000, 0), AdisVariant::Converter);
    const Outcome badDate = convert(source(12000, 4100, 9000, 0), 2, AdisVariant::Converter);
    EXPECT_EQ(badDate.messages, std::vector<int>{msg::DateNotTranslated});
    EXPECT_EQ(badDate.statusMessage, msg::DateNotTranslated);
    // The mismatch comes first.
    expectSame(source(12000, 9000, 4100, 0), AdisVariant::Converter);
    const Outcome mismatch = convert(source(12000, 9000, 4100, 0), 2, AdisVariant::Converter);
    EXPECT_EQ(mismatch.messages, std::vector<int>{msg::ColumnCountMismatch});
    EXPECT_EQ(mismatch.statusMessage, msg::ColumnCountMismatch);
    // In the first row, and in the second.
    expectSame(source(5000, 1, 0, 0), AdisVariant::Converter);
    expectSame(source(5000, 0, 2, 0), AdisVariant::Converter);
}

TEST_F(ParallelConversion, RunnerGoesOnPastBadDates) {
    std::string text = source(6000, 0, 0, 0);
    for (const char* row : {"DE10;", "DE3000;", "DE5999;"}) {
        const auto at = text.find(row);
        text.replace(text.find("25-12-03", at), 8, "1-2");
    }
    expectSame(text, AdisVariant::Runner);
    const Outcome outcome = convert(text, 2, AdisVariant::Runner);
    EXPECT_EQ(outcome.messages, std::vector<int>{msg::DateNotTranslated});
    EXPECT_TRUE(outcome.dateFailed);
    EXPECT_TRUE(outcome.text.ends_with("ZN\r\n"));
}

TEST_F(ParallelConversion, RunnerKeepsABadDateWhenReadingStopsLater) {
    // The runner goes past the bad date of row 10; row 3000 has a field too many.
    const std::string text = source(4000, 10, 3000, 0);
    expectSame(text, AdisVariant::Runner);
    for (const unsigned threads : {1u, 2u}) {
        const Outcome outcome = convert(text, threads, AdisVariant::Runner);
        EXPECT_TRUE(outcome.dateFailed) << threads << " threads";
        EXPECT_TRUE(outcome.mismatch) << threads << " threads";
        EXPECT_EQ(outcome.readOutcome, SourceReadResult::Outcome::ColumnCountMismatch);
    }
}

TEST_F(ParallelConversion, NoLinesAndShortFiles) {
    expectSame("", AdisVariant::Converter);
    expectSame("\nDE1;25-12-03;1;x\n", AdisVariant::Converter);
    expectSame("DE1;25-12-03;1;x\n", AdisVariant::Converter);
}

} // namespace
} // namespace kolvane
