// SPDX-License-Identifier: MIT
#include "engine/SourceEncoding.h"

#include "engine/AdisConversion.h"
#include "engine/ByteSink.h"
#include "engine/SourceRows.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

namespace kolvane {
namespace {

TEST(SourceEncoding, GuessedFromTheMarkOrTheLetters) {
    EXPECT_EQ(DetectSourceEncoding("DE01;31,4\r\n"), SourceEncoding::Ansi);
    EXPECT_EQ(DetectSourceEncoding("Gr\xF6\xDF"
                                   "e;1\r\n"),
              SourceEncoding::Ansi); // Windows-1252
    EXPECT_EQ(DetectSourceEncoding("Gr\xC3\xB6\xC3\x9F"
                                   "e;1\r\n"),
              SourceEncoding::Utf8);
    EXPECT_EQ(DetectSourceEncoding("\xEF\xBB\xBF"
                                   "DE01"),
              SourceEncoding::Utf8Bom);
    EXPECT_EQ(DetectSourceEncoding("\xFF\xFE"
                                   "D\0"),
              SourceEncoding::Utf16);
    // The sample may end inside a letter; an overlong form is no UTF-8.
    EXPECT_EQ(DetectSourceEncoding("K\xC3\xBCh \xC3"), SourceEncoding::Utf8);
    EXPECT_EQ(DetectSourceEncoding("\xC0\xAF"), SourceEncoding::Ansi);
    EXPECT_EQ(SourceEncodingName(SourceEncoding::Ansi), "Windows-1252 (ANSI)");
}

TEST(SourceEncoding, LettersGoIntoTheCodePageOrBecomeQuestionMarks) {
    std::string out;
    EXPECT_EQ(AppendUtf8AsAnsi("Gr\xC3\xB6\xC3\x9F"
                               "e \xE2\x82\xAC",
                               out),
              0u);
    EXPECT_EQ(out, "Gr\xF6\xDF"
                   "e \x80");
    out.clear();
    EXPECT_EQ(AppendUtf8AsAnsi("\xCE\xA9"
                               "1\xC3(",
                               out),
              2u); // omega, then a broken sequence
    EXPECT_EQ(out, "?1?(");
}

class Utf8Source : public testing::EngineFixture {
protected:
    Utf8Source() {
        setup.Separator = ";";
        ColumnDefinition name;
        name.Mnemonic = "NAME";
        name.ItemNumber = "900070";
        name.Width = "03";
        ColumnDefinition id = name;
        id.Mnemonic = "ANIMALID";
        id.ItemNumber = "900080";
        id.Width = "04";
        setup.ColumnTable = {id, name};
    }
    const std::string text = "\xEF\xBB\xBF"
                             "DE01;Gr\xC3\xB6\xC3\x9F"
                             "e\r\nDE02;\xCE\xA9mega\r\n";
};

// Cut to its width, a letter stays whole: the file is in the code page before
// it is split.
TEST_F(Utf8Source, IsSplitAndConvertedInTheCodePage) {
    const auto read = LoadSourceTable(setup, context(), SourceData::text(text, "utf8.txt"),
                                      SourceLayout::Delimited, {});
    ASSERT_TRUE(read.completed()) << read.status.describe();
    EXPECT_EQ(setup.SourceTable.cell(0, 0), "DE01"); // the mark is gone
    EXPECT_EQ(setup.SourceTable.cell(0, 1), "Gr\xF6\xDF"
                                            "e");
    EXPECT_EQ(setup.SourceTable.cell(1, 1), "?mega");
    EXPECT_EQ(setup.SourceFileEncoding, SourceEncoding::Utf8Bom);
    ASSERT_EQ(setup.SourceLetters.kept().size(), 1u);
    EXPECT_EQ(setup.SourceLetters.kept()[0].sourceLine, 2);
    EXPECT_EQ(setup.SourceLetters.kept()[0].severity, Severity::Warning);

    for (const unsigned threads : {1u, 2u}) {
        ConversionOptions options;
        options.threads = threads;
        StringSink sink;
        ImportSetup copy = setup;
        const ConversionResult result =
            ConvertSourceToAdis(copy, context(), SourceData::text(text, "utf8.txt"), options, sink);
        ASSERT_TRUE(result.complete()) << result.status.describe();
        EXPECT_NE(sink.text.find("VN000000DE01Gr\xF6\r\n"), std::string::npos) << threads;
        EXPECT_EQ(result.findings.count(FindingKind::Letter, Severity::Warning), 1u);
        EXPECT_EQ(result.encoding, SourceEncoding::Utf8Bom);
    }
}

// UTF-16 in either byte order reads as its UTF-8 form would, letters and
// findings alike.
TEST_F(Utf8Source, Utf16IsReadAsItsUtf8FormWouldBe) {
    const std::u16string letters = u"DE01;Gr\u00F6\u00DFe\r\nDE02;\u03A9mega\r\n";
    for (const bool little : {true, false}) {
        std::string utf16 = little ? "\xFF\xFE" : "\xFE\xFF";
        for (const char16_t unit : letters) {
            const char high = static_cast<char>(unit >> 8);
            const char low = static_cast<char>(unit & 0xFF);
            utf16 += little ? std::string{low, high} : std::string{high, low};
        }
        ImportSetup read = setup;
        const auto loaded = LoadSourceTable(read, context(), SourceData::text(utf16, "wide.txt"),
                                            SourceLayout::Delimited, {});
        ASSERT_TRUE(loaded.completed()) << loaded.status.describe();
        EXPECT_EQ(read.SourceFileEncoding, SourceEncoding::Utf16);
        EXPECT_EQ(read.SourceTable.cell(0, 1), "Gr\xF6\xDF"
                                               "e")
            << little;
        EXPECT_EQ(read.SourceTable.cell(1, 1), "?mega") << little;
        EXPECT_EQ(read.SourceLetters.count(FindingKind::Letter), 1u);
    }
    std::string out;
    EXPECT_FALSE(Utf16ToUtf8("no mark", out));
    ASSERT_TRUE(Utf16ToUtf8(std::string("\xFF\xFE\x3D\xD8\x04\xDC\x00\xD8", 8), out));
    EXPECT_EQ(out, "\xF0\x9F\x90\x84\xEF\xBF\xBD"); // a pair, then a lone surrogate
}

} // namespace
} // namespace kolvane
