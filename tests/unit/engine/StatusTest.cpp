// SPDX-License-Identifier: MIT
#include "engine/Status.h"

#include "engine/StringTable.h"

#include <gtest/gtest.h>

namespace kolvane {
namespace {

Status mismatch() {
    return Status(ErrorCode::ColumnCountMismatch, "this line has more fields than the first line",
                  "milk.txt", 12, 4)
        .withMessage(msg::ColumnCountMismatch);
}

TEST(Status, NamedMessageDescribesItselfInTheLanguage) {
    const Status status = mismatch();
    EXPECT_EQ(status.messageNumber(), msg::ColumnCountMismatch);
    EXPECT_EQ(status.describe(Language("DE")),
              "milk.txt: line 12, column 4: Die Anzahl der Spalten ist nicht in allen Zeilen "
              "gleich. Das Programm kann so nicht arbeiten. Der Vorgang kann daher nicht "
              "abgeschlossen werden.");
    EXPECT_EQ(status.describe(Language("EN")),
              "milk.txt: line 12, column 4: The number of columns is different for different "
              "rows. The program can not work with this situation. Therefore the process can not "
              "be complete.");
    // Without a language: the English message, as before.
    EXPECT_EQ(status.describe(),
              "milk.txt: line 12, column 4: this line has more fields than the first line");
}

TEST(Status, WithoutATextOfItsNumberTheEnglishMessageIsUsed) {
    const Status plain(ErrorCode::TooFewLines, "the file has only 2 lines", "milk.txt");
    EXPECT_EQ(plain.messageNumber(), 0);
    EXPECT_EQ(plain.describe(Language("DE")), "milk.txt: the file has only 2 lines");
    // 23 is a number without a row in the table.
    const Status unknown = Status(ErrorCode::BadSetup, "no columns", {}, 3).withMessage(23);
    EXPECT_EQ(unknown.describe(Language("FR")), "line 3: no columns");
}

TEST(Status, WithMessageAndWithPathKeepEverythingElse) {
    const Status original(ErrorCode::DateConversion, "bad date", {}, 7, 2);
    const Status named = original.withMessage(msg::DateNotTranslated);
    EXPECT_EQ(original.messageNumber(), 0); // a copy was named, not the original
    const Status moved = Status(named).withPath("in.txt");
    EXPECT_EQ(moved.code(), ErrorCode::DateConversion);
    EXPECT_EQ(moved.message(), "bad date");
    EXPECT_EQ(moved.path(), "in.txt");
    EXPECT_EQ(moved.line(), 7);
    EXPECT_EQ(moved.column(), 2);
    EXPECT_EQ(moved.messageNumber(), msg::DateNotTranslated);
    EXPECT_EQ(moved.describe(Language("EN")),
              "in.txt: line 7, column 2: " + Language("EN").LoadText(msg::DateNotTranslated));
}

} // namespace
} // namespace kolvane
