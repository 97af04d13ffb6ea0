// SPDX-License-Identifier: MIT
#include "engine/StringTable.h"

#include "engine/Ansi.h"

#include <gtest/gtest.h>
#include <utility>

namespace kolvane {
namespace {

TEST(StringTable, LooksUpTheCurrentLanguageBlock) {
    Language language;
    language.SetLanguage("EN");
    EXPECT_EQ(language.LoadText(msg::NoLinesToImport), "No lines to be imported.");
    EXPECT_EQ(FindTextById(1000 + kEnglishBase + msg::NoLinesToImport).value_or(""),
              "No lines to be imported.");
    language.SetLanguage("SP");
    EXPECT_EQ(language.LoadText(msg::DoNotImport), "No importar");
    EXPECT_EQ(language.LoadText(msg::ColumnNoImportHeading), "No Importar");
    language.SetLanguage("EN");
    EXPECT_EQ(language.LoadText(msg::DoNotImport), "Do not import ");
    EXPECT_EQ(language.DoNotImportText(), "Do not import ");
    language.SetLanguage("DE");
    EXPECT_EQ(language.DoNotImportText(), "Nicht importieren");
    language.SetLanguage("FR");
    EXPECT_EQ(language.DoNotImportText(), "Ne pas importer");
}

TEST(StringTable, UnknownCodeKeepsTheOffsetAndTheCode) {
    Language language;
    language.SetLanguage("XX");
    EXPECT_EQ(language.LanguageBase(), 0);
    EXPECT_EQ(language.LanguageCode(), "XX");
    language.SetLanguage("DE");
    language.SetLanguage("en"); // codes are exact: lower case is unknown
    EXPECT_EQ(language.LanguageBase(), kGermanBase);
    EXPECT_EQ(language.LanguageCode(), "en");
}

TEST(StringTable, StartsWithCodeEnglishButSpanishTexts) {
    const Language language;
    EXPECT_EQ(language.LanguageCode(), "EN");
    EXPECT_EQ(language.LanguageBase(), 0);
    EXPECT_EQ(language.LoadText(msg::DoNotImport), "No importar");
}

TEST(StringTable, NumbersWithoutEntryYieldNoText) {
    const Language language("EN");
    for (const int number : {23, 24, 40, 262, -1}) {
        EXPECT_FALSE(language.FindText(number).has_value()) << number;
        EXPECT_EQ(language.LoadText(number), "") << number;
    }
}

// Counts the numbers from `first` to `last` that have a text, checking that
// every block has a text for exactly the same numbers.
int numbersPresentInEveryBlock(int first, int last) {
    int present = 0;
    for (int number = first; number <= last; ++number) {
        const bool english = FindTextById(1000 + kEnglishBase + number).has_value();
        present += english ? 1 : 0;
        for (const int base : {kSpanishBase, kGermanBase, kFrenchBase}) {
            EXPECT_EQ(FindTextById(1000 + base + number).has_value(), english)
                << "number " << number << " in block " << base;
        }
    }
    return present;
}

TEST(StringTable, EveryBlockHoldsTheSameNumbers) {
    EXPECT_EQ(numbersPresentInEveryBlock(0, 261), 259); // three of them empty in every block
    // The texts this system added start at 300, in the same four blocks.
    EXPECT_EQ(numbersPresentInEveryBlock(262, 299), 0);
    EXPECT_GE(numbersPresentInEveryBlock(300, 899), 1);
    EXPECT_EQ(Language("DE").LoadText(msg::ConfirmRemoveAutomaticImport).substr(0, 6), "Diesen");
}

TEST(StringTable, QuotedTextsOfOtherLanguagesAreExact) {
    struct Expected {
        int number;
        const char* sp;
        const char* en;
        const char* de;
        const char* fr;
    };
    const Expected table[] = {
        {msg::Space, "Espacio", "Space", "Leerzeichen", "Espace"},
        {msg::Tabs, "Tabs", "Tabs", "Tabulator", "Tab"},
        {msg::YearLetter, "A", "Y", "J", "Y"},
        {msg::MonthLetter, "M", "M", "M", "M"},
        {msg::DayLetter, "D", "D", "T", "D"},
    };
    for (const auto& row : table) {
        EXPECT_EQ(Language("SP").LoadText(row.number), row.sp);
        EXPECT_EQ(Language("EN").LoadText(row.number), row.en);
        EXPECT_EQ(Language("DE").LoadText(row.number), row.de);
        EXPECT_EQ(Language("FR").LoadText(row.number), row.fr);
    }
}

TEST(StringTable, TextsAreAnsiBytes) {
    // "Personnalisé" ends in é, one byte 0xE9 in the ANSI code page.
    const std::string custom = Language("FR").LoadText(msg::DateFormatUserDefined);
    ASSERT_FALSE(custom.empty());
    EXPECT_EQ(static_cast<unsigned char>(custom.back()), 0xE9);
    EXPECT_EQ(AnsiToUtf8(custom), "Personnalis\xC3\xA9");
}

TEST(StringTable, CommonIdsAreTheSameInEveryLanguage) {
    EXPECT_EQ(FindTextById(kFontNameId).value_or(""), "New Courier");
    EXPECT_EQ(FindTextById(kFontSizeId).value_or(""), "8");
    EXPECT_EQ(Language("DE").FindTextForSpanishId(1000 + msg::ColumnNoImportHeading).value_or(""),
              "Nicht importieren");
    EXPECT_EQ(Language("EN").FindTextForSpanishId(1000 + msg::OkButton).value_or(""), "OK");
}

// The generated names stand for the rows they were given to: the first and the
// last row, rows the code names, and neighbours that are easy to swap.
TEST(Messages, NamesAreTheNumbersOfTheirTexts) {
    const Language english("EN");
    const std::pair<int, const char*> texts[] = {
        {msg::FileMenu, "&File"},
        {msg::DateRequired, "It's necessary to write a date."},
        {msg::InsertDate, "Insert a date:"},
        {msg::NoLinesToImport, "No lines to be imported."},
        {msg::FileNotFound, "The file could not be found in the system."},
        {msg::NoMatchesFound, "No matches found for this entry."},
        {msg::CodesHeading, "Codes"},
        {msg::ItemNumberHeading, "DD-Nr."},
        {msg::WidthHeading, "Width"},
        {msg::DataTypeHeading, "Data Type"},
        {msg::ImportAllowedHeading, "Import Allowed"},
        {msg::CloseWithoutConfirmation,
         "Close Import Process w/o User confirmation (if no errors)."},
    };
    for (const auto& [number, text] : texts) {
        EXPECT_EQ(english.LoadText(number), text) << "message " << number;
    }
    EXPECT_EQ(Language("DE").LoadText(msg::DateRequired), "Es muss ein Datum eingegeben werden.");
    EXPECT_EQ(Language("SP").LoadText(msg::InsertDate), "Introduzca una fecha:");
}

TEST(Ansi, RoundTripsEveryByte) {
    std::string all;
    for (int c = 0; c < 256; ++c) {
        all += static_cast<char>(c);
    }
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
    EXPECT_EQ(AnsiToUtf8("\x80"), "\xE2\x82\xAC");                // the euro sign
    EXPECT_EQ(Utf8ToAnsi("\xE2\x82\xAC \xE2\x98\x83"), "\x80 ?"); // a snowman has no byte
    EXPECT_EQ(Utf8ToAnsi("\xC3"), "?");                           // truncated sequence
}

} // namespace
} // namespace kolvane
