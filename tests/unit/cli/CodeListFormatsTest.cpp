// SPDX-License-Identifier: MIT
#include "cli/CodeListFormats.h"

#include "engine/Ansi.h"

#include <gtest/gtest.h>

namespace kolvane::cli {
namespace {

CodeRow milkRow(std::string description) {
    return {PadText("MILKKG", 14),    PadNumber("800044", 10), PadNumber("900080", 10),
            PadText(description, 45), PadNumber("1", 4),       PadNumber("3", 4),
            PadNumber("3", 5),        PadNumber("1", 5)};
}

// Where `part` begins in `line`, counted in characters.
std::size_t columnOf(const std::string& line, const std::string& part) {
    const std::size_t at = line.find(part);
    return at == std::string::npos ? std::string::npos : Utf8Length(line.substr(0, at));
}

TEST(CodeListFormats, ColumnsLineUpByCharactersNotBytes) {
    EXPECT_EQ(Utf8Length("Kälber"), 6u);
    EXPECT_EQ(Utf8Length(""), 0u);
    const std::string table = AlignedColumns(
        {{"Kälbergewicht", "kg", "last"}, {"Milch", "Liter", "x"}, {"Größe", "", "y"}});
    EXPECT_EQ(table, "Kälbergewicht kg    last\n"
                     "Milch         Liter x\n"
                     "Größe               y\n");
}

// German texts are longer than the English ones the widths were once fixed for.
TEST(CodeListFormats, TheTableFitsEveryLanguagesTexts) {
    const Language german("DE");
    const std::string table =
        CodeListText({milkRow(Utf8ToAnsi("Kälbergewicht")), milkRow("Milk yield")}, german,
                     CodeListFormat::Table);
    const std::string header = table.substr(0, table.find('\n'));
    const std::string first =
        table.substr(header.size() + 1, table.find('\n', header.size() + 1) - header.size() - 1);
    const std::string second = table.substr(table.rfind('\n', table.size() - 2) + 1);
    EXPECT_EQ(columnOf(first, "Kälbergewicht"), columnOf(header, "Beschreibung")) << table;
    EXPECT_EQ(columnOf(second, "Milk yield"), columnOf(header, "Beschreibung")) << table;
    for (const std::string& row : {first, second}) {
        EXPECT_EQ(columnOf(row, "3 - Mit Dezimalstellen"), columnOf(header, "Datentyp")) << table;
        EXPECT_EQ(columnOf(row, "1 - JA"), columnOf(header, "Import erlaubt")) << table;
    }
}

TEST(CodeListFormats, ScriptFormatsKeepValuesSafe) {
    EXPECT_EQ(TsvField("a\tb\r\nc"), "a b  c");
    EXPECT_EQ(JsonString("say \"hi\" \\ ok"), R"("say \"hi\" \\ ok")");
    EXPECT_EQ(JsonString("a\nb\tc\x01"), R"("a\nb\tc\u0001")");
    EXPECT_EQ(JsonString("Größe"), "\"Größe\"");

    const Language english("EN");
    CodeRow noIndex = milkRow("Tab\there");
    noIndex.INDICE_ADS = PadNumber("0", 10);
    const std::string tsv = CodeListText({noIndex}, english, CodeListFormat::Tsv);
    EXPECT_EQ(tsv, "mnemonic\titem\tindex\tdescription\tdecimals\twidth\ttype\ttypeText\timport"
                   "\timportText\n"
                   "MILKKG\t800044\t\tTab here\t1\t3\t3\t3 - With decimals\t1\t1 - YES\n");
    EXPECT_EQ(
        CodeListText({noIndex}, english, CodeListFormat::Json),
        "[\n  {\"mnemonic\": \"MILKKG\", \"item\": \"800044\", \"index\": null, "
        "\"description\": \"Tab\\there\", \"decimals\": 1, \"width\": 3, \"type\": 3, "
        "\"typeText\": \"3 - With decimals\", \"import\": 1, \"importText\": \"1 - YES\"}\n]\n");
    EXPECT_EQ(CodeListText({}, english, CodeListFormat::Json), "[]\n");
}

} // namespace
} // namespace kolvane::cli
