// SPDX-License-Identifier: MIT
#include "engine/AdisConversion.h"
#include "engine/ColumnChecks.h"
#include "engine/Crea_Adis.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

namespace kolvane {
namespace {

ColumnDefinition column(std::string mnemonic, std::string item, std::string width,
                        std::string decimals = "0") {
    ColumnDefinition definition;
    definition.Mnemonic = std::move(mnemonic);
    definition.ItemNumber = std::move(item);
    definition.Width = std::move(width);
    definition.Decimals = std::move(decimals);
    return definition;
}

class AdisWriter : public testing::EngineFixture {
protected:
    // Converts one row whose only column is `definition`, returning the value.
    std::string valueOf(const ColumnDefinition& definition, std::string_view cell) {
        setup.ColumnTable = {definition};
        setup.SourceTable.reset(1);
        const std::string_view cells[] = {cell};
        setup.SourceTable.appendRow(cells);
        lastStatus = BuildAdisText(setup, context());
        const auto start = setup.AdisText.find("VN000000");
        if (start == std::string::npos) {
            return "<no value line>";
        }
        const auto end = setup.AdisText.find("\r\n", start);
        return setup.AdisText.substr(start + 8, end - start - 8);
    }
    void addRows(std::initializer_list<std::vector<std::string_view>> rows) {
        setup.SourceTable.reset(static_cast<int>(rows.begin()->size()));
        for (const auto& row : rows) {
            setup.SourceTable.appendRow(row);
        }
    }
    Status lastStatus;
};

TEST_F(AdisWriter, HeaderStartsWithTheSetOptionsInFixedOrder) {
    EXPECT_EQ(BuildAdisHeader(setup, language),
              "DH00000000000000080\r\nVH000000DD      \r\nDN000000");
    setup.OptionTrigger = true;
    setup.OptionErrOK = true;
    EXPECT_TRUE(BuildAdisHeader(setup, language)
                    .starts_with("fN errok=1\r\nfN trigger=1\r\nDH00000000000000080\r\n"));
    setup.OptionInit = setup.OptionErrExit = setup.OptionZero = true;
    EXPECT_TRUE(BuildAdisHeader(setup, language)
                    .starts_with("fN errok=1\r\nfN init=1\r\nfN errexit=1\r\nfN zero=1\r\n"
                                 "fN trigger=1\r\nDH"));
}

TEST_F(AdisWriter, DefinitionLineNormalisesWidthAndDecimalsInPlace) {
    setup.ColumnTable = {column("A", "800001", "5", ""), column("B", "1234567890", "123", "12"),
                         column("C", "    900080", "15", "0"), column("", "", "", "")};
    const std::string header = BuildAdisHeader(setup, language);
    EXPECT_TRUE(header.ends_with("DN000000"
                                 "00800001"
                                 "05"
                                 "0"
                                 "34567890"
                                 "23"
                                 "2"
                                 "00900080"
                                 "15"
                                 "0"
                                 "00000000"
                                 ""
                                 "0"))
        << header;
    EXPECT_EQ(setup.ColumnTable[0].Width, "05");
    EXPECT_EQ(setup.ColumnTable[0].Decimals, "0");
    EXPECT_EQ(setup.ColumnTable[1].Width, "23");
    EXPECT_EQ(setup.ColumnTable[1].Decimals, "2");
    EXPECT_EQ(setup.ColumnTable[2].ItemNumber, "    900080"); // kept as it came
    EXPECT_EQ(setup.ColumnTable[3].Width, "");                // an empty width stays empty
}

TEST_F(AdisWriter, NotImportedColumnsAreLeftOut) {
    setup.ColumnTable = {column("A", "1", "02"), column("Do not import ", "2", "02"),
                         column("", "3", "02")};
    addRows({{"aa", "bb", "cc"}});
    ASSERT_TRUE(BuildAdisText(setup, context()).ok());
    // The definition line skips only the "not imported" mark; value lines skip "" too.
    EXPECT_NE(setup.AdisText.find("DN0000000000000102000000003020\r\n"), std::string::npos)
        << setup.AdisText;
    EXPECT_NE(setup.AdisText.find("\r\nVN000000aa\r\n"), std::string::npos);
}

TEST_F(AdisWriter, OneValueLinePerRowThenTheEndLine) {
    setup.ColumnTable = {column("A", "1", "01")};
    addRows({{"x"}, {"y"}, {"z"}});
    ASSERT_TRUE(BuildAdisText(setup, context()).ok());
    EXPECT_TRUE(setup.AdisText.ends_with("\r\nVN000000x\r\nVN000000y\r\nVN000000z\r\nZN"));
    EXPECT_EQ(port.progressCaptions, std::vector<int>{msg::ConvertingToAdis});

    setup.ColumnTable = {column("Do not import ", "1", "01")};
    ASSERT_TRUE(BuildAdisText(setup, context()).ok());
    EXPECT_TRUE(setup.AdisText.ends_with("\r\nVN000000\r\nVN000000\r\nVN000000\r\nZN"));
}

TEST_F(AdisWriter, ValuesArePaddedWithBlanksOrCut) {
    EXPECT_EQ(valueOf(column("A", "1", "05"), "abc"), "abc  ");
    EXPECT_EQ(valueOf(column("A", "1", "05"), "abcdefg"), "abcde");
    EXPECT_EQ(valueOf(column("A", "1", "03"), "7"), "7  "); // numbers are never padded with zeros
    EXPECT_EQ(valueOf(column("A", "1", ""), "abc"), "");    // no width: nothing of the value
}

TEST_F(AdisWriter, DatesAndTimes) {
    setup.DateFormatName = "dd-mm-aa";
    ColumnDefinition date = column("D", "900032", "08");
    date.IsDate = true;
    EXPECT_EQ(valueOf(date, "25-12-03"), "20031225");
    EXPECT_EQ(valueOf(date, ""), "        ");
    ColumnDefinition time = column("T", "900078", "06");
    time.IsTime = true;
    EXPECT_EQ(valueOf(time, "7:05"), "070500");
    EXPECT_EQ(valueOf(time, ""), "000000");
    time.IsDate = true; // both flags: a date
    EXPECT_EQ(valueOf(time, "25-12-03"), "200312");
}

TEST_F(AdisWriter, ConverterStopsAtTheFirstDateItCannotConvert) {
    setup.DateFormatName = "dd-mm-aa";
    ColumnDefinition date = column("D", "900032", "08");
    date.IsDate = true;
    setup.ColumnTable = {date};
    addRows({{"25-12-03"}, {"1-2-3"}, {"26-12-03"}});
    const Status status = BuildAdisText(setup, context());
    EXPECT_EQ(status.code(), ErrorCode::DateConversion);
    EXPECT_EQ(status.messageNumber(), msg::DateNotTranslated);
    EXPECT_EQ(status.line(), 2);
    EXPECT_EQ(port.messages, std::vector<int>{msg::DateNotTranslated});
    EXPECT_TRUE(setup.DateConversionFailed);
    EXPECT_TRUE(setup.AdisText.ends_with("\r\nVN00000020031225")); // no further line, no end line
}

TEST_F(AdisWriter, RunnerGoesOnPastBadDatesWithOneMessage) {
    setup.DateFormatName = "dd-mm-aa";
    ColumnDefinition date = column("D", "900032", "08");
    date.IsDate = true;
    setup.ColumnTable = {date, column("NO IMPORTAR", "1", "01"), column("X", "2", "")};
    setup.StoredAdisHeader = "DH00000000000000080\r\nVH000000DD      \r\nDN000000stored";
    addRows({{"1-2-3", "a", "b"}, {"x", "c", "d"}, {"25-12-03", "e", "f"}});
    ASSERT_TRUE(BuildAdisText(setup, context(), AdisVariant::Runner).ok());
    EXPECT_EQ(setup.AdisText,
              "DH00000000000000080\r\nVH000000DD      \r\nDN000000stored"
              "\r\nVN000000        b\r\nVN000000        d\r\nVN00000020031225f\r\nZN");
    EXPECT_EQ(port.messages, std::vector<int>{msg::DateNotTranslated});
    EXPECT_EQ(setup.ColumnTable[2].Width, "1"); // an empty width becomes 1
}

TEST_F(AdisWriter, CorrectionFactorDividesByTenOnceMore) {
    ColumnDefinition factor = column("F", "1", "04");
    factor.CorrectionFactor = "*10";
    EXPECT_EQ(valueOf(factor, "25"), "25  ");
    factor.CorrectionFactor = "*1";
    EXPECT_EQ(valueOf(factor, "25"), "2.5 ");
    numbers.decimalSeparator = ',';
    EXPECT_EQ(valueOf(factor, "25"), "2,5 ");
    numbers.decimalSeparator = '.';
    factor.CorrectionFactor = "/1000";
    factor.Width = "08";
    EXPECT_EQ(valueOf(factor, "12345"), "1.2345  ");
    factor.CorrectionFactor = "*10";
    EXPECT_EQ(valueOf(factor, "abc"), "0       "); // text under * counts as 0, without a message
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(AdisWriter, FactorThenDecimalSeparatorThenShift) {
    ColumnDefinition milk = column("M", "800044", "04", "1");
    milk.CorrectionFactor = "*10";
    milk.DecimalSeparator = ".";
    EXPECT_EQ(valueOf(milk, "12.5"), "125 ");
    // A source written with "," in a "." locale: read with the column's separator.
    milk.DecimalSeparator = ",";
    EXPECT_EQ(valueOf(milk, "12,5"), "125 ");
    numbers.decimalSeparator = ',';
    milk.DecimalSeparator = ".";
    EXPECT_EQ(valueOf(milk, "12.5"), "125 ");
}

TEST_F(AdisWriter, FactorWithAnotherOperatorOnTextShowsFactorOnText) {
    ColumnDefinition odd = column("F", "1", "05");
    odd.CorrectionFactor = "+5";
    EXPECT_EQ(valueOf(odd, "abc"), "abc  ");
    EXPECT_EQ(port.messages, std::vector<int>{msg::FactorOnText});
    EXPECT_EQ(valueOf(odd, "30"), "3    "); // a number is still divided by ten
}

TEST_F(AdisWriter, DivisionByZeroEndsTheConversionWithWindowMemory) {
    ColumnDefinition zero = column("F", "1", "05");
    zero.CorrectionFactor = "/0";
    setup.ColumnTable = {zero};
    addRows({{"5"}});
    const Status status = BuildAdisText(setup, context());
    EXPECT_EQ(status.code(), ErrorCode::FactorError);
    EXPECT_EQ(status.messageNumber(), 0); // that message does not say what went wrong
    EXPECT_EQ(port.messages, std::vector<int>{msg::WindowMemory});
    EXPECT_FALSE(setup.AdisText.ends_with("ZN"));
    zero.CorrectionFactor = "*1E300";
    setup.ColumnTable = {zero};
    addRows({{"1E300"}});
    EXPECT_EQ(BuildAdisText(setup, context()).code(), ErrorCode::FactorError);
}

TEST(ShiftDecimals, RoundsTheDroppedDigitAndCarries) {
    const std::pair<const char*, const char*> cases[] = {
        {"12.5", "1250"},   {"7", "700"},      {"12.345", "1234"},  {"12.346", "1235"},
        {"19.996", "2000"}, {"9.996", "1000"}, {"-9.996", "-1000"}, {"0.004", "000"},
        {".999", "100"},    {"", "00"},        {"1.2.3", "12"},     {"12.3456", "1235"},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(ShiftDecimals(value, '.', 2), expected) << value;
    }
    EXPECT_EQ(ShiftDecimals("3,14159", ',', 0), "3");
    EXPECT_EQ(ShiftDecimals("1..", '.', 0), ""); // nothing left to drop: no crash
}

class ColumnPreparation : public testing::EngineFixture {};

TEST_F(ColumnPreparation, FitsTheTableAndFillsRecommendedValues) {
    ColumnDefinition coded = column("MILK", "800044", "", "");
    coded.RecommendedWidth = "3";
    coded.RecommendedDecimals = "1";
    setup.ColumnTable = {coded, column("", "", ""), column("X", "1", "2"), column("Y", "2", "2")};
    PrepareColumnTable(setup, language, 2);
    ASSERT_EQ(setup.ColumnTable.size(), 3u);
    EXPECT_EQ(setup.ColumnTable[0].Width, "3");
    EXPECT_EQ(setup.ColumnTable[0].Decimals, "1");
    EXPECT_EQ(setup.ColumnTable[1].Mnemonic, "Do not import ");
    EXPECT_EQ(setup.ColumnTable[2].Mnemonic, "Do not import "); // the spare
}

TEST_F(ColumnPreparation, IndexRuleReportsTheFirstBrokenEntry) {
    ColumnDefinition id = column("ANIMALID", "900080", "15");
    id.RequiredIndex = "900080"; // its own index
    ColumnDefinition milk = column("MILK", "800044", "03");
    milk.RequiredIndex = "900080";
    ColumnDefinition spare = column("Do not import ", "", "");
    setup.ColumnTable = {id, milk, spare};
    EXPECT_TRUE(CheckRequiredIndexes(setup, language, port, {}));
    EXPECT_TRUE(port.texts.empty());

    milk.RequiredIndex = "900070";
    setup.ColumnTable = {id, milk, spare};
    port.answerNext(MessageAnswer::Cancel);
    const auto lookup = [](std::string_view) { return std::optional<std::string>("COWNUMBER"); };
    EXPECT_FALSE(CheckRequiredIndexes(setup, language, port, lookup));
    ASSERT_EQ(port.texts.size(), 1u);
    EXPECT_EQ(port.texts[0],
              "The code MILK needs the code COWNUMBER as an index for import to HX. "
              "This index code has not been found in the source file (ASCII file) "
              "and this may be a problem when the ADIS file will be introduced in HX.");

    milk.RequiredIndex = "         0";
    setup.ColumnTable = {id, milk, spare};
    EXPECT_TRUE(CheckRequiredIndexes(setup, language, port, lookup));
    EXPECT_EQ(port.texts.back(),
              "Warning: the code MILK can not be used for import! Please go back and correct.");
}

TEST_F(ColumnPreparation, AMatchInTheSpareEntryDoesNotCount) {
    ColumnDefinition milk = column("MILK", "800044", "03");
    milk.RequiredIndex = "900080";
    ColumnDefinition spare = column("Do not import ", "900080", "");
    setup.ColumnTable = {milk, spare};
    EXPECT_TRUE(CheckRequiredIndexes(setup, language, port, {}));
    EXPECT_EQ(port.texts.size(), 1u);
}

// A column taken from the dictionary holds its numbers padded with blanks; one
// loaded from a DST holds them without: the same item, no warning.
TEST_F(ColumnPreparation, PaddedAndUnpaddedItemNumbersAreTheSameItem) {
    ColumnDefinition id = column("ANIMALID", "    900080", "15");
    id.RequiredIndex = "    900080";
    ColumnDefinition date = column("TESTDATE", "900032", "08");
    date.RequiredIndex = "900080";
    ColumnDefinition spare = column("Do not import ", "", "");
    setup.ColumnTable = {id, date, spare};
    EXPECT_TRUE(CheckRequiredIndexes(setup, language, port, {}));
    EXPECT_TRUE(port.texts.empty());
    date.RequiredIndex = "0";
    setup.ColumnTable = {id, date, spare};
    EXPECT_TRUE(CheckRequiredIndexes(setup, language, port, {}));
    ASSERT_EQ(port.texts.size(), 1u);
    EXPECT_NE(port.texts[0].find("can not be used for import!"), std::string::npos);
}

class StreamingConversion : public testing::EngineFixture {};

TEST_F(StreamingConversion, WritesTheFileFormAndFitsTheColumnTable) {
    setup.Separator = ";";
    setup.ColumnTable = {column("A", "1", "02"), column("B", "2", "03")};
    ConversionOptions options;
    options.onColumnsKnown = [&](int columns) {
        PrepareColumnTable(setup, language, columns);
        return true;
    };
    StringSink sink;
    const auto result =
        ConvertSourceToAdis(setup, context(), SourceData::text("ab;cde;f\n"), options, sink);
    ASSERT_TRUE(result.complete()) << result.status.describe();
    EXPECT_EQ(sink.text, "DH00000000000000080\r\nVH000000DD      \r\nDN000000"
                         "00000001020"
                         "00000002030\r\nVN000000abcde\r\nZN\r\n");
    EXPECT_EQ(setup.ColumnTable.size(), 4u);
}

TEST_F(StreamingConversion, FailureLeavesNoEndLineAndNamesTheSourceLine) {
    setup.Separator = ";";
    setup.ColumnTable = {column("A", "1", "02")};
    StringSink sink;
    auto result =
        ConvertSourceToAdis(setup, context(), SourceData::text("a\nb;c\n", "in.txt"), {}, sink);
    EXPECT_EQ(result.readOutcome, SourceReadResult::Outcome::ColumnCountMismatch);
    EXPECT_EQ(result.status.describe(),
              "in.txt: line 2: this line has more fields than the first line (1 columns)");
    EXPECT_EQ(sink.text.find("ZN"), std::string::npos);
}

} // namespace
} // namespace kolvane
