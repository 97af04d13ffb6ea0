// SPDX-License-Identifier: MIT
#include "engine/SourceRows.h"
#include "engine/TxtTOArray.h"
#include "tests/support/EngineFixture.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace kolvane {
namespace {

using Outcome = SourceReadResult::Outcome;

class Splitting : public testing::EngineFixture {
protected:
    void SetUp() override { setup.Separator = ";"; }

    SourceReadResult load(std::string_view text) {
        return LoadDelimitedSource(setup, context(), SourceData::text(text));
    }
    std::vector<std::string> row(std::size_t index) const {
        std::vector<std::string> cells;
        for (int c = 0; c < setup.SourceTable.columnCount(); ++c) {
            cells.emplace_back(setup.SourceTable.cell(index, c));
        }
        return cells;
    }
    std::vector<std::string> firstColumn() const {
        std::vector<std::string> cells;
        for (std::size_t r = 0; r < setup.SourceTable.rowCount(); ++r) {
            cells.emplace_back(setup.SourceTable.cell(r, 0));
        }
        return cells;
    }
    using Row = std::vector<std::string>;
};

TEST_F(Splitting, EverySeparatorMakesACellNothingIsTrimmed) {
    ASSERT_TRUE(load("1;;3;\r\n a ;b\n").completed());
    EXPECT_EQ(row(0), (Row{"1", "", "3", ""}));
    EXPECT_EQ(row(1), (Row{" a ", "b", "", ""})); // fewer fields: the rest stays empty
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(Splitting, SendDateComesFirst) {
    setup.AskSendDate = true;
    setup.SendDate = "08-12-26";
    EXPECT_EQ(CountColumns(setup, "a;b"), 3);
    ASSERT_TRUE(load("a;b\n").completed());
    EXPECT_EQ(row(0), (Row{"08-12-26", "a", "b"}));
}

TEST_F(Splitting, TabBlankAndMultiCharacterSeparators) {
    setup.Separator = "\t";
    ASSERT_TRUE(load("a\tb c\n").completed());
    EXPECT_EQ(row(0), (Row{"a", "b c"}));
    setup.Separator = " ";
    ASSERT_TRUE(load("a\tb c\n").completed());
    EXPECT_EQ(row(0), (Row{"a\tb", "c"}));
    setup.Separator = ";;"; // never matches: the whole line is one field
    EXPECT_EQ(CountColumns(setup, "a;;b"), 1);
    ASSERT_TRUE(load("a;;b\n").completed());
    EXPECT_EQ(row(0), (Row{"a;;b"}));
}

TEST_F(Splitting, MoreFieldsThanTheFirstRowStops) {
    const auto result = load("a;b\nc;d\ne;f;g\nh;i\n");
    EXPECT_EQ(result.outcome, Outcome::ColumnCountMismatch);
    EXPECT_TRUE(setup.ColumnCountMismatch);
    EXPECT_EQ(port.messages, std::vector<int>{msg::ColumnCountMismatch});
    EXPECT_EQ(result.status.messageNumber(), msg::ColumnCountMismatch);
    EXPECT_EQ(result.status.line(), 3);
    EXPECT_EQ(setup.SourceTable.rowCount(), 2u);
    // The next load starts afresh.
    port.messages.clear();
    ASSERT_TRUE(load("a;b\n").completed());
    EXPECT_FALSE(setup.ColumnCountMismatch);
}

TEST_F(Splitting, EmptyFirstLineMeansNoLinesEvenWithDataLater) {
    setup.SourceTable.reset(1);
    const std::string_view keep[] = {"old"};
    setup.SourceTable.appendRow(keep);
    const auto result = load("\r\na;b\n");
    EXPECT_EQ(result.outcome, Outcome::NoLines);
    EXPECT_EQ(result.status.messageNumber(), msg::NoLinesToImport);
    EXPECT_EQ(port.messages, std::vector<int>{msg::NoLinesToImport});
    EXPECT_EQ(port.icons.front(), MessageIcon::Warning);
    EXPECT_EQ(setup.SourceTable.cell(0, 0), "old"); // unchanged
    EXPECT_EQ(load("").outcome, Outcome::NoLines);
}

TEST_F(Splitting, RunnerVariantShowsNeitherMessageNorProgress) {
    const auto result =
        LoadDelimitedSource(setup, context(), SourceData::text("\na\n"), kRunnerSourceLoad);
    EXPECT_EQ(result.outcome, Outcome::NoLines);
    EXPECT_TRUE(port.messages.empty());
    // Not shown, but named, so the runner can tell it in the user's language.
    EXPECT_EQ(result.status.describe(Language("DE")),
              "(text): line 1: Keine Zeilen zum Importieren.");
    ASSERT_TRUE(LoadDelimitedSource(setup, context(), SourceData::text("a\nb\n"), kRunnerSourceLoad)
                    .completed());
    EXPECT_TRUE(port.progressCaptions.empty());
}

TEST_F(Splitting, ConverterShowsBuildingColumnsProgress) {
    ASSERT_TRUE(load("a\nb\n").completed());
    EXPECT_EQ(port.progressCaptions, std::vector<int>{msg::BuildingColumns});
    EXPECT_FALSE(port.progressOpen);
}

TEST_F(Splitting, TopAndBottomLinesAreSkipped) {
    setup.TopLinesToSkip = 2;
    setup.BottomLinesToSkip = 3;
    ASSERT_TRUE(load("1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n").completed());
    EXPECT_EQ(firstColumn(), (Row{"3", "4", "5", "6", "7"}));
    // The same without a final line break.
    ASSERT_TRUE(load("1\n2\n3\n4\n5\n6\n7\n8\n9\n10").completed());
    EXPECT_EQ(firstColumn(), (Row{"3", "4", "5", "6", "7"}));
}

TEST_F(Splitting, EmptyLinesGiveNoRowButCountTowardTheLimit) {
    setup.BottomLinesToSkip = 1;
    ASSERT_TRUE(load("1\n\n2\n\n3\n4\n").completed());
    EXPECT_EQ(firstColumn(), (Row{"1", "2", "3"}));
}

// Skips that leave one line convert it; skips that leave none convert
// nothing: the line after the top ones would be a header or a sum line.
TEST_F(Splitting, SkipsThatLeaveNoLineConvertNothing) {
    setup.BottomLinesToSkip = 2;
    ASSERT_TRUE(load("1\n2\n3\n").completed());
    EXPECT_EQ(firstColumn(), (Row{"1"}));
    setup.BottomLinesToSkip = 5;
    EXPECT_EQ(load("1\n2\n3\n").outcome, SourceReadResult::Outcome::NoLines);
    setup.BottomLinesToSkip = 1;
    setup.TopLinesToSkip = 1;
    EXPECT_EQ(load("Animal;Milk\nSum;31\n").outcome, SourceReadResult::Outcome::NoLines);
}

TEST_F(Splitting, FilteredLinesDoNotCountTowardTheLimit) {
    setup.LineFilterMode = 2;
    setup.LineFilterText = "X";
    setup.BottomLinesToSkip = 2;
    // Five lines, limit 3: the three X lines are delivered, the last two included.
    ASSERT_TRUE(load("X1\nx2\nh\nX3\nX4\n").completed());
    EXPECT_EQ(firstColumn(), (Row{"X1", "X3", "X4"}));
}

TEST_F(Splitting, LineFilterModes) {
    setup.LineFilterMode = 2;
    setup.LineFilterText = "X";
    ASSERT_TRUE(load("X1\nx2\nX3\n").completed());
    EXPECT_EQ(firstColumn(), (Row{"X1", "X3"}));

    setup.LineFilterMode = 1;
    ASSERT_TRUE(load("X1\nx2\nX3\nx4\n").completed());
    EXPECT_EQ(firstColumn(), (Row{"x2", "x4"}));

    setup.LineFilterText = "LONGER";
    ASSERT_TRUE(load("LON\nLONGER1\n").completed()); // a shorter line is compared as it is
    EXPECT_EQ(firstColumn(), (Row{"LON"}));
}

TEST_F(Splitting, EmptyFilterTextDropsEverythingOrKeepsEverything) {
    setup.LineFilterMode = 1;
    EXPECT_EQ(load("a\nb\n").outcome, Outcome::NoLines);
    setup.LineFilterMode = 2;
    ASSERT_TRUE(load("a\nb\n").completed());
    EXPECT_EQ(firstColumn(), (Row{"a", "b"}));
}

TEST_F(Splitting, NulBytesAndLoneCarriageReturnsAreOrdinaryCharacters) {
    using namespace std::string_view_literals;
    ASSERT_TRUE(load("a\0b;c\rd\r\n"sv).completed());
    EXPECT_EQ(row(0), (Row{std::string("a\0b", 3), "c\rd"}));
}

class SourceFiles : public Splitting {
protected:
    void SetUp() override {
        Splitting::SetUp();
        folder =
            std::filesystem::temp_directory_path() /
            ("kolvane-split-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::string write(const std::string& name, std::string_view bytes) {
        const auto path = folder / name;
        std::ofstream(path, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }
    SourceReadResult loadFile(const std::string& path) {
        return LoadDelimitedSource(setup, context(), SourceData::file(path));
    }
    std::filesystem::path folder;
};

TEST_F(SourceFiles, ReadsAFileWithTheSameRulesAsText) {
    setup.BottomLinesToSkip = 1;
    const auto path = write("in.txt", "a;1\r\nb;2\r\ntotal\r\n");
    ASSERT_TRUE(loadFile(path).completed());
    EXPECT_EQ(firstColumn(), (Row{"a", "b"}));
}

TEST_F(SourceFiles, UnusableFilesAreClearErrorsAndLeaveTheTable) {
    setup.SourceTable.reset(1);
    const auto missing = loadFile((folder / "missing.txt").string());
    EXPECT_EQ(missing.outcome, Outcome::Failed);
    EXPECT_EQ(missing.status.code(), ErrorCode::FileNotFound);
    EXPECT_NE(missing.status.describe().find("missing.txt"), std::string::npos);

    const auto folderResult = loadFile(folder.string());
    EXPECT_EQ(folderResult.status.code(), ErrorCode::NotAFile);

    setup.TopLinesToSkip = 5;
    const auto shortFile = loadFile(write("short.txt", "1\n2\n"));
    EXPECT_EQ(shortFile.status.code(), ErrorCode::TooFewLines);
    EXPECT_NE(shortFile.status.message().find("only 2 lines"), std::string::npos);
    EXPECT_EQ(setup.SourceTable.columnCount(), 1);
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(SourceFiles, ExactlyTheSkippedLinesMeansNoLines) {
    setup.TopLinesToSkip = 2;
    EXPECT_EQ(loadFile(write("two.txt", "1\n2\n")).outcome, Outcome::NoLines);
}

TEST_F(SourceFiles, UnreadableFileIsAnError) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    const auto path = write("locked.txt", "a\n");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    EXPECT_EQ(loadFile(path).status.code(), ErrorCode::FileUnreadable);
}

TEST_F(SourceFiles, OverlongLineIsRefusedWithItsLineNumber) {
    std::string text = "a;b\n";
    text.append((std::size_t{17} << 20), 'x'); // 17 MiB without a line break
    const auto result = loadFile(write("huge.txt", text));
    EXPECT_EQ(result.outcome, Outcome::Failed);
    EXPECT_EQ(result.status.code(), ErrorCode::LineTooLong);
    EXPECT_EQ(result.status.line(), 2);
    EXPECT_EQ(setup.SourceTable.rowCount(), 1u); // the rows before stay
}

TEST_F(SourceFiles, LinesLongerThanTheReadBlockAreWhole) {
    const std::string longField(3 << 20, 'y');
    const auto path = write("long.txt", "a;" + longField + "\nb;c\n");
    ASSERT_TRUE(loadFile(path).completed());
    EXPECT_EQ(setup.SourceTable.cell(0, 1).size(), longField.size());
    EXPECT_EQ(setup.SourceTable.cell(1, 1), "c");
}

} // namespace
} // namespace kolvane
