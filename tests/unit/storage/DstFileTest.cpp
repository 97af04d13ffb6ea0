// SPDX-License-Identifier: MIT
#include "engine/Crea_Adis.h"
#include "storage/AtomicFile.h"
#include "storage/DstWriter.h"
#include "storage/Recover_DST.h"
#include "tests/support/RecordingPort.h"
#include "tests/support/TempFolder.h"

#include <fstream>
#include <gtest/gtest.h>

namespace kolvane {
namespace {

ColumnDefinition column(std::string mnemonic, std::string item, std::string width,
                        std::string decimals) {
    ColumnDefinition definition;
    definition.Mnemonic = std::move(mnemonic);
    definition.ItemNumber = std::move(item);
    definition.RequiredIndex = "900080";
    definition.Width = std::move(width);
    definition.Decimals = std::move(decimals);
    definition.RecommendedWidth = "3";
    definition.RecommendedDecimals = "1";
    return definition;
}

class DstFile : public ::testing::Test {
protected:
    Language language{"EN"};
    testing::RecordingPort port;

    // A setup that sets every field the layout stores.
    ImportSetup fullSetup() const {
        ImportSetup setup;
        setup.Description = "Milk recording\r\nSecond line";
        setup.Separator = ";";
        setup.TopLinesToSkip = 2;
        setup.BottomLinesToSkip = 1;
        setup.DateFormatName = "Personalizado";
        setup.DatePattern = "DD.MM.YYYY";
        setup.LineFilterMode = 2;
        setup.LineFilterText = "X";
        setup.AskSendDate = true;
        setup.UseTodayAsSendDate = true;
        setup.OptionZero = setup.OptionTrigger = setup.OptionErrExit = true;
        setup.OptionErrOK = setup.OptionInit = true;
        ColumnDefinition milk = column("MILKKG", "800044", "3", "");
        milk.SpareFlag = 1;
        milk.DecimalSeparator = ",";
        milk.CorrectionFactor = "/1000";
        ColumnDefinition date = column("TESTDATE", "    900032", "8", "0");
        date.IsDate = true;
        ColumnDefinition time = column("MILKSTART", "900078", "6", "0");
        time.IsTime = true;
        setup.ColumnTable = {milk, date, time, column("Do not import ", "", "", "")};
        return setup;
    }

    ImportSetup readBack(std::string_view text) {
        ImportSetup setup;
        const Status status = ReadDstText(setup, language, text, "setup.dst");
        EXPECT_TRUE(status.ok()) << status.describe();
        return setup;
    }
};

TEST_F(DstFile, WritesTheLayoutLineByLine) {
    ImportSetup setup = fullSetup();
    std::string text;
    ASSERT_TRUE(BuildDstText(setup, language, "C:\\data\\milk.txt", text).ok());
    const std::string expected =
        "C:\\data\\milk.txt\r\n\r\n"
        "Milk recording\r\nSecond line\r\n//\r\n\r\n"
        "@;\r\n\r\n"
        "2\r\n\r\n1\r\n\r\n"
        "@//DD.MM.YYYY\r\n\r\n"
        "2\r\n\r\n"
        "X\r\n//\r\n\r\n"
        " 1 \r\n 1 \r\n"
        "fN errok=1\r\nfN init=1\r\nfN errexit=1\r\nfN zero=1\r\nfN trigger=1\r\n"
        "DH00000000000000080\r\nVH000000DD      \r\n"
        "DN000000008000440300090003208000900078060\r\n//\r\n\r\n"
        "MILKKG;800044;900080;03;0;3;1;1;0;0;,;/1000\r\n\r\n"
        "TESTDATE;    900032;900080;08;0;3;1;0;1;0; ; \r\n\r\n"
        "MILKSTART;900078;900080;06;0;3;1;0;0;1; ; \r\n\r\n"
        "0;;900080;;;3;1;0;0;0; ; \r\n\r\n"
        "//\r\n\r\n"
        "//\r\n\r\n"
        "0=1\r\n\r\n1=1\r\n\r\n2=1\r\n\r\n3=1\r\n\r\n4=1\r\n\r\n//\r\n\r\n";
    EXPECT_EQ(text, expected);
}

TEST_F(DstFile, CurrentLayoutRoundTripsEveryField) {
    ImportSetup original = fullSetup();
    std::string text;
    ASSERT_TRUE(BuildDstText(original, language, "in.txt", text).ok());
    ImportSetup loaded = readBack(text);

    EXPECT_EQ(loaded.Staging.SourceFilePath, "in.txt");
    EXPECT_EQ(loaded.Staging.Description, original.Description + "\r\n");
    EXPECT_EQ(loaded.Staging.Separator, original.Separator);
    EXPECT_EQ(loaded.Staging.TopLinesToSkip, 2);
    EXPECT_EQ(loaded.Staging.BottomLinesToSkip, 1);
    EXPECT_EQ(loaded.Staging.DateFormatName, "Personalizado");
    EXPECT_EQ(loaded.Staging.DatePattern, "DD.MM.YYYY");
    EXPECT_TRUE(loaded.Staging.AskSendDate);
    EXPECT_TRUE(loaded.UseTodayAsSendDate);
    EXPECT_EQ(loaded.LineFilterMode, 2);
    EXPECT_EQ(loaded.LineFilterText, "X");
    EXPECT_TRUE(loaded.OptionZero && loaded.OptionTrigger && loaded.OptionErrExit &&
                loaded.OptionErrOK && loaded.OptionInit);
    EXPECT_EQ(loaded.StoredAdisHeader, BuildAdisHeader(original, language));

    // The reader adds its own spare; the "not imported" column reads back as the
    // stored mark, which the converter's fix-up turns into the current language's text.
    ASSERT_EQ(loaded.ColumnTable.size(), original.ColumnTable.size() + 1);
    EXPECT_EQ(loaded.ColumnTable[3].Mnemonic, "NO IMPORTAR");
    FinishDstLoad(loaded, language);
    EXPECT_EQ(loaded.ColumnTable.back(), ColumnDefinition{});
    loaded.ColumnTable.pop_back();
    EXPECT_EQ(loaded.ColumnTable, original.ColumnTable);

    // Saving the loaded setup again writes the same file.
    CopyStagingToWorking(loaded);
    std::string again;
    ASSERT_TRUE(BuildDstText(loaded, language, "in.txt", again).ok());
    EXPECT_EQ(again, text);
}

TEST_F(DstFile, SeparatorCodes) {
    const std::pair<std::string, std::string> cases[] = {
        {";", "@;"},    {"\t", "@\t"},   {" ", "@ "}, {"Fixed Columns", "@1"},
        {"Tabs", "@2"}, {"Space", "@3"}, {"|", "@|"},
    };
    for (const auto& [separator, code] : cases) {
        ImportSetup setup;
        setup.Separator = separator;
        std::string text;
        ASSERT_TRUE(BuildDstText(setup, language, "@", text).ok());
        EXPECT_NE(text.find("//\r\n\r\n" + code + "\r\n\r\n0\r\n"), std::string::npos) << code;
        const ImportSetup loaded = readBack(text);
        const std::string expected = separator == "Space" ? " " : separator;
        EXPECT_EQ(loaded.Staging.Separator, expected) << code;
    }
    // "@2" reads as the Tabs caption of the reader's language; the fix-up makes
    // the English word a TAB.
    ImportSetup german;
    ASSERT_TRUE(
        ReadDstText(german, Language("DE"), "@\r\n\r\n\r\n//\r\n\r\n@2\r\n", "x.dst").code() ==
        ErrorCode::BadFileFormat);
    EXPECT_EQ(german.Staging.Separator, "Tabulator");
    ImportSetup english;
    static_cast<void>(ReadDstText(english, language, "@\r\n\r\n\r\n//\r\n\r\n@2\r\n", "x.dst"));
    FinishDstLoad(english, language);
    EXPECT_EQ(english.Staging.Separator, "\t");
}

TEST_F(DstFile, DateLines) {
    ImportSetup setup;
    setup.DateFormatName = "ddmmaaaa";
    std::string text;
    ASSERT_TRUE(BuildDstText(setup, language, "@", text).ok());
    EXPECT_NE(text.find("\r\nddmmaaaa\r\n"), std::string::npos);
    EXPECT_EQ(readBack(text).Staging.DateFormatName, "ddmmaaaa");
    // A short user pattern still reads back as the user's own pattern.
    setup.DateFormatName = "Personalizado";
    setup.DatePattern = "DMY";
    ASSERT_TRUE(BuildDstText(setup, language, "@", text).ok());
    const ImportSetup loaded = readBack(text);
    EXPECT_EQ(loaded.Staging.DateFormatName, "Personalizado");
    EXPECT_EQ(loaded.Staging.DatePattern, "DMY");
}

TEST_F(DstFile, DescriptionsAndFixedColumnStarts) {
    ImportSetup setup;
    setup.Separator = "Fixed Columns";
    setup.FixedColumnStarts = {1, 8, 15};
    std::string text;
    ASSERT_TRUE(BuildDstText(setup, language, "@", text).ok());
    EXPECT_NE(text.find("\r\n//\r\n\r\n1;8;15;\r\n\r\n//\r\n"), std::string::npos);
    const ImportSetup loaded = readBack(text);
    EXPECT_EQ(loaded.Staging.Description, "\r\n"); // an empty description
    EXPECT_EQ(loaded.FixedColumnStarts, (FixedColumnStarts{1, 8, 15}));
}

TEST_F(DstFile, OptionsAreOnlySetByReading) {
    ImportSetup setup;
    std::string text;
    ASSERT_TRUE(BuildDstText(setup, language, "@", text).ok());
    ImportSetup loaded;
    loaded.OptionZero = true;
    ASSERT_TRUE(ReadDstText(loaded, language, text, "x.dst").ok());
    EXPECT_TRUE(loaded.OptionZero); // "0=0" leaves it
    EXPECT_FALSE(loaded.OptionInit);
}

TEST_F(DstFile, LfLineEndsReadLikeCrLf) {
    ImportSetup setup = fullSetup();
    std::string text;
    ASSERT_TRUE(BuildDstText(setup, language, "in.txt", text).ok());
    std::string lf;
    for (const char c : text) {
        if (c != '\r') {
            lf += c;
        }
    }
    ImportSetup fromCrLf = readBack(text);
    ImportSetup fromLf = readBack(lf);
    EXPECT_EQ(fromLf.ColumnTable, fromCrLf.ColumnTable);
    EXPECT_EQ(fromLf.Staging.Description, fromCrLf.Staging.Description);
    EXPECT_EQ(fromLf.StoredAdisHeader, fromCrLf.StoredAdisHeader);
}

TEST_F(DstFile, TruncatedFilesSayWhereAndKeepWhatWasRead) {
    ImportSetup setup = fullSetup();
    std::string text;
    ASSERT_TRUE(BuildDstText(setup, language, "in.txt", text).ok());
    // Cut after every line: each cut gives an error at the next line, until the
    // final "//" has been read (the empty line after it is not needed).
    const long total = static_cast<long>(std::count(text.begin(), text.end(), '\n'));
    long lines = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos;
         end = text.find('\n', end + 1)) {
        ++lines;
        if (end + 1 == text.size()) {
            break; // the whole file
        }
        ImportSetup partial;
        const Status status = ReadDstText(partial, language, text.substr(0, end + 1), "cut.dst");
        if (lines >= total - 1) {
            EXPECT_TRUE(status.ok()) << lines;
            continue;
        }
        ASSERT_EQ(status.code(), ErrorCode::BadFileFormat) << "cut after line " << lines;
        EXPECT_EQ(status.line(), lines + 1);
        EXPECT_NE(status.message().find("the file ends here; expected"), std::string::npos);
    }
    ImportSetup partial;
    static_cast<void>(ReadDstText(partial, language, text.substr(0, text.find("@//")), "cut.dst"));
    EXPECT_EQ(partial.Staging.TopLinesToSkip, 2); // read before the cut, kept
    EXPECT_EQ(partial.Staging.BottomLinesToSkip, 1);
}

TEST_F(DstFile, BadValuesNameTheLineAndWhatWasExpected) {
    const std::string start = "in.txt\r\n\r\n\r\n//\r\n\r\n@;\r\n\r\n";
    ImportSetup setup;
    Status status = ReadDstText(setup, language, start + "two\r\n", "bad.dst");
    EXPECT_EQ(status.describe(),
              "bad.dst: line 8: expected the number of lines to skip at the top, found \"two\"");
    status = ReadDstText(setup, language, start + "99999\r\n", "bad.dst");
    EXPECT_EQ(status.line(), 8); // beyond 16 bits

    ImportSetup full = fullSetup();
    std::string text;
    ASSERT_TRUE(BuildDstText(full, language, "in.txt", text).ok());
    std::string brokenColumn = text;
    brokenColumn.replace(brokenColumn.find("MILKKG;800044"), 13, "MILKKG");
    status = ReadDstText(setup, language, brokenColumn, "bad.dst");
    EXPECT_EQ(status.code(), ErrorCode::BadFileFormat);
    EXPECT_NE(status.message().find("12 fields"), std::string::npos);

    ImportSetup fixed;
    fixed.Separator = "Fixed Columns";
    fixed.FixedColumnStarts = {3, 9};
    ASSERT_TRUE(BuildDstText(fixed, language, "@", text).ok());
    text.replace(text.find("3;9;"), 4, "3;9");
    status = ReadDstText(setup, language, text, "bad.dst");
    EXPECT_NE(status.message().find("fixed column starts"), std::string::npos);
    EXPECT_EQ(setup.FixedColumnStarts, (FixedColumnStarts{3})); // read so far
}

// Values no import can use make the setup unusable, naming the line: a width
// that would write megabytes per row, negative skips, a file cut inside its
// last option line.
TEST_F(DstFile, UnusableValuesAndCutEndsAreRefused) {
    ImportSetup full = fullSetup();
    full.OptionInit = true;
    std::string text;
    ASSERT_TRUE(BuildDstText(full, language, "in.txt", text).ok());
    const auto refused = [&](std::string changed, std::string_view what) {
        ImportSetup setup;
        const Status status = ReadDstText(setup, language, changed, "bad.dst");
        EXPECT_EQ(status.code(), ErrorCode::BadFileFormat) << what;
        EXPECT_GT(status.line(), 0) << what;
        EXPECT_NE(status.message().find(what), std::string::npos) << status.describe();
    };
    const std::size_t milk = text.find("MILKKG;800044;");
    ASSERT_NE(milk, std::string::npos);
    std::string wide = text; // the width field follows the required index
    wide.insert(text.find(';', milk + 14) + 1, "999");
    refused(wide, "a column width from 0 to 99");
    for (const char* width : {"-5", "100"}) {
        std::string changed = text;
        const std::size_t at = text.find(';', milk + 14) + 1;
        changed.replace(at, text.find(';', at) - at, width);
        refused(changed, "a column width from 0 to 99");
    }
    std::string decimals = text;
    const std::size_t decimalsAt = text.find(';', text.find(';', milk + 14) + 1) + 1;
    decimals.replace(decimalsAt, text.find(';', decimalsAt) - decimalsAt, "12");
    refused(decimals, "decimals from 0 to 9");

    const std::string start = "in.txt\r\n\r\n\r\n//\r\n\r\n@;\r\n\r\n";
    refused(start + "-1\r\n", "the number of lines to skip at the top (0 or more)");

    // A column without a width is stored as "00": it reads back.
    ImportSetup noWidth = fullSetup();
    noWidth.ColumnTable[0].Width.clear();
    std::string written;
    ASSERT_TRUE(BuildDstText(noWidth, language, "in.txt", written).ok());
    ImportSetup readBack;
    EXPECT_TRUE(ReadDstText(readBack, language, written, "blank.dst").ok());
    ASSERT_TRUE(text.ends_with("4=1\r\n\r\n//\r\n\r\n"));
    refused(text.substr(0, text.size() - 9), "the last option line ended by a line break");
    refused(text.substr(0, text.size() - 6), "\"//\" at the end of the file");
}

TEST_F(DstFile, WriterRefusesValuesTheLayoutCannotHold) {
    ImportSetup setup;
    setup.ColumnTable = {column("A;B", "1", "2", "0")};
    std::string text;
    EXPECT_EQ(BuildDstText(setup, language, "@", text).code(), ErrorCode::BadSetup);
    setup.ColumnTable = {};
    setup.Description = "one\r\n//\r\ntwo";
    EXPECT_EQ(BuildDstText(setup, language, "@", text).code(), ErrorCode::BadSetup);
    setup.Description.clear();
    EXPECT_EQ(BuildDstText(setup, language, "a\r\nb", text).code(), ErrorCode::BadSetup);
}

TEST_F(DstFile, SeparatorsReadBackAsWrittenOrAreRefused) {
    // "1" to "3" would read back as fixed columns, tabs and blanks; of a longer
    // separator only the last character would come back.
    for (const char* separator : {"1", "2", "3", ";;", "ab"}) {
        ImportSetup setup;
        setup.Separator = separator;
        std::string text;
        EXPECT_EQ(BuildDstText(setup, language, "@", text).code(), ErrorCode::BadSetup)
            << separator;
    }
    for (const std::string& separator :
         {std::string(";"), std::string("4"), std::string("\t"), std::string(" "),
          std::string(kFixedColumns), language.LoadText(msg::Tabs)}) {
        ImportSetup setup;
        setup.Separator = separator;
        std::string text;
        ASSERT_TRUE(BuildDstText(setup, language, "@", text).ok()) << separator;
        EXPECT_EQ(readBack(text).Staging.Separator, separator);
    }
}

TEST_F(DstFile, EarlierLayout) {
    const std::string old =
        "C:\\in.txt\r\nskipped\r\n\r\n\r\nTabs\r\nx\r\n1\r\nx\r\n0\r\nx\r\nddmmaa\r\nx\r\n1\r\n"
        "DH00000000000000080\r\nVH000000DD      \r\nDN0000000090008015000090003208"
        "0\r\n//\r\nx\r\n"
        "ANIMALID;900080;900080;15;0;15;0;0;0;0; \r\nx\r\n"
        "NO IMPORTAR;;;;;;;0;0;0; \r\nx\r\n"
        "//\r\nx\r\nx\r\nx\r\nCeros=1\r\nx\r\nEncadenadas=0\r\nx\r\nERREXIT=1\r\nx\r\n"
        "ERROK=1\r\nx\r\nInit=1\r\n";
    ImportSetup setup;
    setup.LineFilterMode = 2;
    const Status status = ReadOldDstText(setup, language, old, "old.dst");
    ASSERT_TRUE(status.ok()) << status.describe();
    EXPECT_EQ(setup.Staging.SourceFilePath, "C:\\in.txt");
    EXPECT_EQ(setup.Staging.Description, "\r\n\r\n");
    EXPECT_EQ(setup.Staging.Separator, "Tabs");
    EXPECT_EQ(setup.Staging.TopLinesToSkip, 1);
    EXPECT_EQ(setup.Staging.DateFormatName, "ddmmaa");
    EXPECT_TRUE(setup.Staging.AskSendDate);
    EXPECT_EQ(setup.ColumnTable.size(), 3u);
    EXPECT_EQ(setup.ColumnTable[0].Mnemonic, "ANIMALID");
    EXPECT_EQ(setup.ColumnTable[1].Mnemonic, "NO IMPORTAR");
    EXPECT_TRUE(setup.OptionZero && setup.OptionErrExit && setup.OptionErrOK && setup.OptionInit);
    EXPECT_FALSE(setup.OptionTrigger);
    EXPECT_EQ(setup.LineFilterMode, 0);
    EXPECT_EQ(setup.LineFilterText, " ");
    FinishDstLoad(setup, Language("SP"));
    EXPECT_EQ(setup.Staging.Separator, "\t");
    EXPECT_EQ(setup.ColumnTable[1].Mnemonic, "No importar");
}

class DstFiles : public DstFile {
protected:
    testing::TempFolder folder;
};

TEST_F(DstFiles, MissingFileShowsFileNotFoundAndClearsThePath) {
    ImportSetup setup;
    setup.DstFilePath = "gone.dst";
    setup.Separator = ";";
    const Status status = ReadDstFile(setup, language, port, folder.path("gone.dst"));
    EXPECT_EQ(status.code(), ErrorCode::FileNotFound);
    EXPECT_EQ(status.messageNumber(), msg::FileNotFound);
    // Which file is missing, on the second line.
    EXPECT_EQ(port.texts, std::vector<std::string>{language.LoadText(msg::FileNotFound) + '\n' +
                                                   folder.path("gone.dst")});
    EXPECT_EQ(setup.DstFilePath, "");
    EXPECT_EQ(setup.Separator, ";");
}

TEST_F(DstFiles, WriteReplacesAtomicallyAndKeepsTheOldFileOnFailure) {
    const std::string path = folder.path("milk.dst");
    ImportSetup setup = fullSetup();
    ASSERT_TRUE(WriteDstFile(setup, language, path, "in.txt").ok());
    ImportSetup loaded;
    ASSERT_TRUE(ReadDstFile(loaded, language, port, path).ok());
    EXPECT_EQ(loaded.Staging.SourceFilePath, "in.txt");

    const std::string before = folder.read("milk.dst");
    setup.ColumnTable[0].Mnemonic = "BAD;NAME";
    EXPECT_FALSE(WriteDstFile(setup, language, path, "in.txt").ok());
    EXPECT_EQ(folder.read("milk.dst"), before);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"milk.dst"}); // no temporary left
}

TEST_F(DstFiles, WriteIntoAMissingFolderFailsCleanly) {
    ImportSetup setup;
    const Status status = WriteDstFile(setup, language, folder.path("no/such/x.dst"), "@");
    EXPECT_EQ(status.code(), ErrorCode::WriteFailed);
    EXPECT_NE(status.describe().find("x.dst"), std::string::npos);
}

} // namespace
} // namespace kolvane
