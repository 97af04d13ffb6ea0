// SPDX-License-Identifier: MIT
// The view of large texts: how it counts and reads lines of files and of texts
// in memory, what it selects and copies, scrolling to the end of a file that
// is indexed on the helper thread, and files it cannot show.
#include "gui/LargeTextView.h"

#include "tests/support/TempFolder.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace kolvane {
namespace {

class LargeTextViewTest : public ::testing::Test {
protected:
    LargeTextViewTest() {
        view.resize(400, 300);
        view.show();
    }

    // Opens a file of `bytes` and waits until all its lines are known.
    void open(std::string_view bytes) {
        const Status opened = view.openFile(folder.write("source.txt", bytes));
        ASSERT_TRUE(opened.ok()) << opened.describe();
        ASSERT_TRUE(QTest::qWaitFor([this] { return view.indexComplete(); }, 30000));
    }
    std::vector<std::string> shownLines() const {
        std::vector<std::string> lines;
        for (qsizetype line = 0; line < view.lineCount(); ++line) {
            lines.push_back(view.lineText(line).toStdString());
        }
        return lines;
    }

    testing::TempFolder folder;
    LargeTextView view;
};

using Lines = std::vector<std::string>;

TEST_F(LargeTextViewTest, CountsLinesEndedByCrLfOrLfAndALastLineWithoutEnd) {
    open("first\r\nsecond\r\n");
    EXPECT_EQ(shownLines(), (Lines{"first", "second"}));
    open("first\nsecond\n");
    EXPECT_EQ(shownLines(), (Lines{"first", "second"}));
    open("first\r\nsecond");
    EXPECT_EQ(shownLines(), (Lines{"first", "second"}));
    open("a\n\nb\r\n\r\n");
    EXPECT_EQ(shownLines(), (Lines{"a", "", "b", ""}));
    open("lone\rcarriage return\n");
    EXPECT_EQ(shownLines(), (Lines{"lone\rcarriage return"}));
}

TEST_F(LargeTextViewTest, AnEmptyFileHasNoLines) {
    open("");
    EXPECT_EQ(view.lineCount(), 0);
    EXPECT_EQ(view.lineText(0), QString());
    EXPECT_EQ(view.selectedText(), QString());
}

TEST_F(LargeTextViewTest, AFileOfOneLongLineIsOneLine) {
    std::string line(3'000'000, 'x'); // read past the first block, by the helper thread
    line[2'999'999] = 'z';
    open(line);
    ASSERT_EQ(view.lineCount(), 1);
    const QString text = view.lineText(0);
    EXPECT_EQ(text.size(), 3'000'000);
    EXPECT_EQ(text.back(), QLatin1Char('z'));
    // The view scrolls across it, to the end of the line.
    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_GT(view.firstVisibleColumn(), 2'999'000);
}

TEST_F(LargeTextViewTest, LinesAreAnsiTextWithoutTheirLineEnd) {
    open("Kuh;M\xfcller;5\xb0\r\nline two\r\n");
    EXPECT_EQ(view.lineText(0), QStringLiteral(u"Kuh;Müller;5°"));
    EXPECT_EQ(view.lineText(1), QStringLiteral("line two"));
    EXPECT_EQ(view.lineText(2), QString());
    EXPECT_EQ(view.lineText(-1), QString());
}

TEST_F(LargeTextViewTest, ShiftAndTheArrowsOrTheMouseSelectLinesThatCtrlCCopies) {
    open("zero\none\ntwo\nthree\nfour\n");
    QTest::keyClick(&view, Qt::Key_Down);
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(view.selectionFirst(), 1);
    EXPECT_EQ(view.selectionLast(), 3);
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("one\ntwo\nthree"));

    const int rowHeight = view.fontMetrics().height();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(20, rowHeight * 4 + 2));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      QPoint(20, rowHeight * 2 + 2));
    EXPECT_EQ(view.currentLine(), 2);
    EXPECT_EQ(view.selectedText(), QStringLiteral("two\nthree\nfour"));
    // Without a selection the current line is copied.
    QTest::keyClick(&view, Qt::Key_Up);
    view.copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("one"));
}

TEST_F(LargeTextViewTest, CtrlEndShowsTheLastLineOfAFileIndexedOnTheHelperThread) {
    std::string text;
    for (int line = 0; line < 200'000; ++line) {
        text += "row " + std::to_string(line) + ";12,5;ok\r\n";
    }
    open(text);
    EXPECT_EQ(view.lineCount(), 200'000);
    QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(view.currentLine(), 199'999);
    EXPECT_LE(view.firstVisibleLine(), 199'999);
    EXPECT_GT(view.firstVisibleLine() + view.visibleLineCount(), 199'999);
    EXPECT_EQ(view.lineText(199'999), QStringLiteral("row 199999;12,5;ok"));
    QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(view.firstVisibleLine(), 0);
    QTest::keyClick(&view, Qt::Key_PageDown);
    EXPECT_EQ(view.currentLine(), view.visibleLineCount());
}

TEST_F(LargeTextViewTest, AnotherFileDropsTheLinesStillComingFromTheFirst) {
    const auto numbered = [](const char* name, int lines) {
        std::string text;
        for (int line = 0; line < lines; ++line) {
            text += name + std::to_string(line) + "\n";
        }
        return text;
    };
    ASSERT_TRUE(view.openFile(folder.write("big.txt", numbered("big ", 300'000))).ok());
    open(numbered("second ", 100'000));
    QCoreApplication::sendPostedEvents(); // anything the first file's helper posted
    EXPECT_EQ(view.lineCount(), 100'000);
    EXPECT_EQ(view.lineText(99'999), QStringLiteral("second 99999"));
    open("one\ntwo\n");
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(shownLines(), (Lines{"one", "two"}));
}

TEST_F(LargeTextViewTest, AFileThatCannotBeReadIsNamedWithTheReason) {
    open("old\n");
    const std::string missing = folder.path("gone.txt");
    const Status status = view.openFile(missing);
    EXPECT_EQ(status.code(), ErrorCode::FileNotFound);
    EXPECT_EQ(status.path(), missing);
    EXPECT_EQ(view.lineCount(), 0); // nothing of the file shown before
    std::filesystem::create_directories(folder.path("folder"));
    EXPECT_EQ(view.openFile(folder.path("folder")).code(), ErrorCode::NotAFile);
}

TEST_F(LargeTextViewTest, ShowsATextInMemoryAndFollowsItWhenItIsReplaced) {
    std::string text = "HEADER\r\nVN1\r\nVN2\r\nZN";
    view.showText(text);
    EXPECT_TRUE(view.indexComplete());
    EXPECT_EQ(shownLines(), (Lines{"HEADER", "VN1", "VN2", "ZN"}));
    // Replaced without a word: the view never reads the old bytes and indexes anew.
    text = "other\r\ntext\r\n";
    view.viewport()->repaint();
    ASSERT_TRUE(QTest::qWaitFor([this] { return view.lineCount() == 2; }, 5000));
    EXPECT_EQ(shownLines(), (Lines{"other", "text"}));
    view.clear();
    EXPECT_EQ(view.lineCount(), 0);
}

TEST_F(LargeTextViewTest, ALargeTextInMemoryIsIndexedInSlices) {
    std::string text;
    for (int line = 0; line < 400'000; ++line) {
        text += "VN00000000012345678901234567890\r\n"; // 13 MB: more than one slice
    }
    view.showText(text);
    EXPECT_GT(view.lineCount(), 0);
    ASSERT_TRUE(QTest::qWaitFor([this] { return view.indexComplete(); }, 30000));
    EXPECT_EQ(view.lineCount(), 400'000);
    EXPECT_LE(view.indexMemoryBytes(), 400'000 * 8 * 12 / 10);
}

} // namespace
} // namespace kolvane
