// SPDX-License-Identifier: MIT
// Tests of the value checks and of the code list.
#include "herdsim/ValueChecks.h"

#include "herdsim/CodeList.h"
#include "herdsim/EmbeddedData.h"

#include <gtest/gtest.h>

namespace herdsim {
namespace {

CodeItem code(DataType type, int width = 8, int decimals = 0) {
    CodeItem item;
    item.mnemonic = "TEST";
    item.itemNumber = 900001;
    item.type = type;
    item.width = width;
    item.decimals = decimals;
    item.importPermission = permission::kAllowed;
    return item;
}

bool accepts(DataType type, std::string_view value) {
    return CheckValue(code(type), value).empty();
}

TEST(ValueChecks, YesNo) {
    for (const char* value : {"0", "1", "J", "N", "Y", "y", "j"}) {
        EXPECT_TRUE(accepts(DataType::YesNo, value)) << value;
    }
    for (const char* value : {"2", "X", "YY", "-"}) {
        EXPECT_FALSE(accepts(DataType::YesNo, value)) << value;
    }
}

TEST(ValueChecks, IntegersMayBeAlignedEitherWay) {
    for (const char* value : {"    42", "42    ", "000042", "7"}) {
        EXPECT_TRUE(accepts(DataType::Integer, value)) << value;
    }
    for (const char* value : {"4 2", "-42", "4.2", "42a", "+1"}) {
        EXPECT_FALSE(accepts(DataType::Integer, value)) << value;
    }
}

TEST(ValueChecks, DecimalsAreImpliedSoOnlyDigitsPass) {
    EXPECT_TRUE(accepts(DataType::Decimal, "442 "));
    EXPECT_TRUE(accepts(DataType::Decimal, " 442"));
    const std::string message = CheckValue(code(DataType::Decimal, 4, 2), "4.42");
    EXPECT_NE(message.find("2 decimal places are implied"), std::string::npos);
    EXPECT_FALSE(accepts(DataType::Decimal, "4,42"));
}

TEST(ValueChecks, Dates) {
    for (const char* value : {"20031225", "20000229", "19960229", "00010101"}) {
        EXPECT_TRUE(accepts(DataType::Date, value)) << value;
    }
    for (const char* value :
         {"20031332", "19000229", "20030229", "20030431", "20030100", "2003122", "00000101"}) {
        EXPECT_FALSE(accepts(DataType::Date, value)) << value;
    }
    EXPECT_EQ(CheckValue(code(DataType::Date), "20031332"),
              "The value is not a valid date (YYYYMMDD).");
}

TEST(ValueChecks, Times) {
    for (const char* value : {"000000", "235959", "120000"}) {
        EXPECT_TRUE(accepts(DataType::Time, value)) << value;
    }
    for (const char* value : {"240000", "126000", "120060", "1200", "12:00:"}) {
        EXPECT_FALSE(accepts(DataType::Time, value)) << value;
    }
}

TEST(ValueChecks, TextRefusesOnlyControlCharacters) {
    EXPECT_TRUE(accepts(DataType::Text, "Bella \xE4 42"));
    EXPECT_FALSE(accepts(DataType::Text, "Bel\tla"));
}

TEST(ValueChecks, BlanksAndQuestionMarksMeanNoValue) {
    EXPECT_TRUE(IsNoValue("        "));
    EXPECT_TRUE(IsNoValue("????"));
    EXPECT_TRUE(IsNoValue(""));
    EXPECT_FALSE(IsNoValue("  ? "));
    EXPECT_FALSE(IsNoValue("0"));
}

TEST(ValueChecks, ZeroIsOnlyANumberOfZeros) {
    EXPECT_TRUE(IsZeroValue(code(DataType::Integer), "0   "));
    EXPECT_TRUE(IsZeroValue(code(DataType::Decimal), " 000"));
    EXPECT_FALSE(IsZeroValue(code(DataType::Integer), "10"));
    EXPECT_FALSE(IsZeroValue(code(DataType::YesNo), "0"));
    EXPECT_FALSE(IsZeroValue(code(DataType::Text), "0"));
}

TEST(CodeList, TheBuiltInListIsComplete) {
    const CodeList list = CodeList::Seed();
    EXPECT_EQ(list.items().size(), 76u);
    const CodeItem* testDate = list.find(900032);
    ASSERT_NE(testDate, nullptr);
    EXPECT_EQ(testDate->mnemonic, "TESTDATE");
    EXPECT_EQ(testDate->indexItem, 900080);
    EXPECT_EQ(testDate->width, 8);
    EXPECT_EQ(testDate->type, DataType::Date);
    for (const CodeItem& item : list.items()) {
        // Every index item is itself in the list, so the check can name it.
        EXPECT_TRUE(item.indexItem == 0 || list.find(item.indexItem) != nullptr) << item.mnemonic;
    }
}

TEST(CodeList, RefusesBrokenEntriesNamingTheLine) {
    const std::string header =
        "# comment\nmnemonic\titem\tindex\tdescription\tdecimals\twidth\ttype\timport\n";
    CodeList list;
    EXPECT_TRUE(CodeList::Parse(header + "A\t900001\t0\tA thing\t0\t8\t6\t1\n", list).ok());
    const std::vector<std::string> broken = {
        "A\t900001\t0\tA thing\t0\t8\t6\n",                           // seven fields
        "A\t900001\t0\tA thing\t0\t100\t6\t1\n",                      // width over 99
        "A\t900001\t0\tA thing\t0\t8\t7\t1\n",                        // no data type 7
        "A\t900001\t0\tA thing\t0\t8\t6\t3\n",                        // no permission 3
        "A\t9000x1\t0\tA thing\t0\t8\t6\t1\n",                        // item not a number
        "A\t900001\t0\tA\t0\t8\t6\t1\nB\t900001\t0\tB\t0\t8\t6\t1\n", // twice
    };
    for (const auto& entries : broken) {
        const auto status = CodeList::Parse(header + entries, list);
        EXPECT_FALSE(status.ok()) << entries;
        EXPECT_GE(status.line(), 3) << entries;
    }
    EXPECT_FALSE(CodeList::Parse("A\t900001\t0\tA thing\t0\t8\t6\t1\n", list).ok());
}

} // namespace
} // namespace herdsim
