// SPDX-License-Identifier: MIT
#include "engine/ImportSetup.h"

#include "engine/SourceTable.h"

#include <gtest/gtest.h>

namespace kolvane {
namespace {

TEST(ImportSetup, ResetClearsEverySettingButKeepsTheTables) {
    ImportSetup setup;
    setup.SourceFilePath = "x.txt";
    setup.Separator = ";";
    setup.TopLinesToSkip = 3;
    setup.LineFilterMode = 2;
    setup.AskSendDate = true;
    setup.OptionErrOK = true;
    setup.AdisText = "ZN";
    setup.ColumnCountMismatch = true;
    setup.Staging.Description = "staged";
    setup.FixedColumnStarts = {3, 8};
    setup.ColumnTable.resize(2);
    setup.SourceTable.reset(1);
    const std::string_view cell[] = {"a"};
    setup.SourceTable.appendRow(cell);

    ResetImportSetup(setup);

    ImportSetup fresh;
    fresh.FixedColumnStarts = {3, 8};
    fresh.ColumnTable.resize(2);
    fresh.SourceTable.reset(1);
    fresh.SourceTable.appendRow(cell);
    EXPECT_EQ(setup.SourceFilePath, "");
    EXPECT_EQ(setup.TopLinesToSkip, 0);
    EXPECT_FALSE(setup.AskSendDate);
    EXPECT_EQ(setup.Staging.Description, "");
    EXPECT_EQ(setup.FixedColumnStarts, fresh.FixedColumnStarts);
    EXPECT_EQ(setup.ColumnTable, fresh.ColumnTable);
    EXPECT_EQ(setup.SourceTable, fresh.SourceTable);
}

TEST(ImportSetup, StagingIsCopiedIntoTheWorkingFields) {
    ImportSetup setup;
    setup.Staging = {"in.txt", "desc\r\n", ";", 2, 1, "Personalizado", "DD.MM.YYYY", true};
    CopyStagingToWorking(setup);
    EXPECT_EQ(setup.SourceFilePath, "in.txt");
    EXPECT_EQ(setup.Description, "desc\r\n");
    EXPECT_EQ(setup.Separator, ";");
    EXPECT_EQ(setup.TopLinesToSkip, 2);
    EXPECT_EQ(setup.BottomLinesToSkip, 1);
    EXPECT_EQ(setup.DateFormatName, "Personalizado");
    EXPECT_EQ(setup.DatePattern, "DD.MM.YYYY");
    EXPECT_TRUE(setup.AskSendDate);
}

TEST(SourceTable, KeepsCellsExactlyAndPadsShortRows) {
    SourceTable table(3);
    const std::string_view full[] = {" a ", "", "c;d"};
    const std::string_view shortRow[] = {"x"};
    table.appendRow(full);
    table.appendRow(shortRow);
    ASSERT_EQ(table.rowCount(), 2u);
    EXPECT_EQ(table.cell(0, 0), " a ");
    EXPECT_EQ(table.cell(0, 1), "");
    EXPECT_EQ(table.cell(0, 2), "c;d");
    EXPECT_EQ(table.cell(1, 0), "x");
    EXPECT_EQ(table.cell(1, 2), "");
    EXPECT_THROW(static_cast<void>(table.cell(2, 0)), std::out_of_range);
    EXPECT_THROW(static_cast<void>(table.cell(0, 3)), std::out_of_range);
}

// Cells are found by offsets that take one byte while rows are short; longer
// rows make the table keep wider offsets, and every cell, before and after
// them, stays as it was cut.
TEST(SourceTableCells, ALongRowKeepsEveryCellIntact) {
    SourceTable table(3);
    const std::string middle(300, 'm');
    const std::string wide(70000, 'x');
    const std::vector<std::vector<std::string_view>> rows{{"276000912345678", "03-12-26", "31,4"},
                                                          {"a", middle, "b"},
                                                          {"", "c", "dd"},
                                                          {"a", wide, "b"},
                                                          {"e", "", "f"}};
    for (const auto& row : rows) {
        table.appendRow(row);
    }
    ASSERT_EQ(table.rowCount(), rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(table.cell(r, c), rows[r][static_cast<std::size_t>(c)]) << r << ',' << c;
        }
    }
    SourceTable narrow(2);
    narrow.appendRow(std::vector<std::string_view>{"ab", "cde"});
    EXPECT_LT(narrow.memoryBytes(), table.memoryBytes());
}

} // namespace
} // namespace kolvane
