// SPDX-License-Identifier: MIT
#include "engine/FixedColumnsTOColumns.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

namespace kolvane {
namespace {

using Row = std::vector<std::string>;

class FixedColumns : public testing::EngineFixture {
protected:
    void SetUp() override {
        setup.Separator = "Fixed Columns";
        setup.FixedColumnStarts = {3, 8, 12};
    }
    SourceReadResult cut(std::string_view text) {
        return CutFixedColumns(setup, context(), SourceData::text(text));
    }
    Row row(std::size_t index) const {
        Row cells;
        for (int c = 0; c < setup.SourceTable.columnCount(); ++c) {
            cells.emplace_back(setup.SourceTable.cell(index, c));
        }
        return cells;
    }
};

TEST_F(FixedColumns, CutsAtTheStartsAndDropsTheRest) {
    ASSERT_TRUE(cut("ABCDEFGHIJKLMNOP\nAB\n  C  D   E\n").completed());
    ASSERT_EQ(setup.SourceTable.rowCount(), 3u); // no empty rows at the end
    EXPECT_EQ(row(0), (Row{"ABC", "DEFGH", "IJKL"}));
    EXPECT_EQ(row(1), (Row{"AB", "", ""}));
    EXPECT_EQ(row(2), (Row{"  C", "  D  ", " E"})); // blanks are kept
    EXPECT_EQ(port.progressCaptions, std::vector<int>{msg::BuildingWindow});
}

TEST_F(FixedColumns, SendDateIsTheFirstColumnWhenSet) {
    setup.SendDate = "08-12-26";
    EXPECT_EQ(FixedColumnCount(setup), 4);
    ASSERT_TRUE(cut("ABCDEFGHIJKLMNOP\n").completed());
    EXPECT_EQ(row(0), (Row{"08-12-26", "ABC", "DEFGH", "IJKL"}));
    // The cutter tests the send date itself, not the question for it.
    setup.SendDate.clear();
    setup.AskSendDate = true;
    EXPECT_EQ(FixedColumnCount(setup), 3);
}

TEST_F(FixedColumns, EmptyLinesGiveNoRowButCountTowardTheLimit) {
    setup.BottomLinesToSkip = 1;
    ASSERT_TRUE(cut("AAA1\n\nBBB2\nfooter\n").completed());
    ASSERT_EQ(setup.SourceTable.rowCount(), 2u);
    EXPECT_EQ(row(1), (Row{"BBB", "2", ""}));
    // An empty first line is no obstacle here.
    setup.BottomLinesToSkip = 0;
    ASSERT_TRUE(cut("\nAAA\n").completed());
    EXPECT_EQ(setup.SourceTable.rowCount(), 1u);
}

TEST_F(FixedColumns, SkipsAndFiltersLikeDelimitedSources) {
    setup.TopLinesToSkip = 1;
    setup.LineFilterMode = 1;
    setup.LineFilterText = "#";
    ASSERT_TRUE(cut("header\n#note\nABCDEFGHIJKL\n").completed());
    ASSERT_EQ(setup.SourceTable.rowCount(), 1u);
    EXPECT_EQ(row(0), (Row{"ABC", "DEFGH", "IJKL"}));
}

TEST_F(FixedColumns, NewFileStartsWithAnEmptyFirstColumn) {
    setup.FixedColumnStarts = {0, 10, 20};
    ASSERT_TRUE(cut("0123456789abcdefghijXYZ\n").completed());
    EXPECT_EQ(row(0), (Row{"", "0123456789", "abcdefghij"}));
}

TEST_F(FixedColumns, UnusableStartsAreRefusedBeforeReading) {
    setup.FixedColumnStarts = {8, 3};
    EXPECT_EQ(cut("ABCDEFGHIJ\n").status.code(), ErrorCode::BadSetup);
    setup.FixedColumnStarts.clear();
    EXPECT_EQ(cut("ABCDEFGHIJ\n").status.code(), ErrorCode::BadSetup);
    setup.FixedColumnStarts = {-1, 4};
    EXPECT_EQ(cut("ABCDEFGHIJ\n").status.code(), ErrorCode::BadSetup);
}

} // namespace
} // namespace kolvane
