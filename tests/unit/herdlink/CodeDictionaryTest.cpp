// SPDX-License-Identifier: MIT
#include "herdlink/CodeDictionary.h"

#include "engine/StringTable.h"
#include "herdlink/AdisExchange.h"
#include "herdlink/CodeImport.h"
#include "storage/MemoryRegistry.h"
#include "tests/support/RecordingPort.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace kolvane {
namespace {

CodeRow code(std::string mnemonic, std::string item, std::string index, std::string description,
             std::string tipo = "2") {
    return {PadText(mnemonic, 14),    PadNumber(item, 10), PadNumber(index, 10),
            PadText(description, 45), PadNumber("0", 4),   PadNumber("15", 4),
            PadNumber(tipo, 5),       PadNumber("1", 5)};
}

std::vector<std::string> mnemonics(const std::vector<CodeRow>& rows) {
    std::vector<std::string> names;
    for (const auto& row : rows) {
        names.push_back(row.Mnemonico.substr(0, row.Mnemonico.find_last_not_of(' ') + 1));
    }
    return names;
}

class Dictionary : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CreateCodeDictionary(path, rows).ok()); }

    testing::TempFolder folder;
    std::string path = folder.path("CodigosAds.db");
    std::vector<CodeRow> rows = {
        code("ANIMALID", "900080", "900080", "Official identification of the animal"),
        code("MILKKG", "800044", "900080", "Milk on the test day (kg), \"corrected\"", "3"),
        code(" LEADING", "800001", "0", "Stored with a blank in front"),
        code("TESTDATE", "900032", "900080", "100% sure date_of test*", "4"),
        code("O'BRIEN", "800002", "0", "Owner's own code"),
    };
    CodeDictionary dictionary{path};
};

TEST_F(Dictionary, ListsEveryRowAsStored) {
    Status status;
    const auto all = dictionary.allCodes(status);
    ASSERT_TRUE(status.ok()) << status.describe();
    EXPECT_EQ(all, rows);
    EXPECT_EQ(all[0].Codigo_ADIS, "    900080");
    EXPECT_EQ(all[2].INDICE_ADS, "         0");
}

TEST_F(Dictionary, BytesOfTheAnsiCodePageComeBackAsStored) {
    // "Kühe" and a degree sign in Windows-1252: no valid UTF-8, never converted.
    const std::vector<CodeRow> ansi{code("K\xFCHE", "800003", "0",
                                         "K\xFChe bei 4 \xB0"
                                         "C")};
    ASSERT_TRUE(CreateCodeDictionary(path, ansi).ok());
    Status status;
    EXPECT_EQ(dictionary.allCodes(status), ansi);
    EXPECT_EQ(mnemonics(dictionary.search("\xFChe", status)), std::vector<std::string>{"K\xFCHE"});
}

TEST_F(Dictionary, CreatingAgainReplacesTheFileWhole) {
    ASSERT_TRUE(CreateCodeDictionary(path, {rows[1]}).ok());
    Status status;
    EXPECT_EQ(dictionary.allCodes(status), std::vector<CodeRow>{rows[1]});
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"CodigosAds.db"}); // nothing beside it
}

TEST_F(Dictionary, SearchFindsTextAnywhereLiterally) {
    Status status;
    EXPECT_EQ(mnemonics(dictionary.search("milk", status)), std::vector<std::string>{"MILKKG"});
    EXPECT_EQ(mnemonics(dictionary.search("9000", status)),
              (std::vector<std::string>{"ANIMALID", "MILKKG", "TESTDATE"})); // number or index
    EXPECT_EQ(mnemonics(dictionary.search("\"corrected\"", status)),
              std::vector<std::string>{"MILKKG"});
    EXPECT_EQ(mnemonics(dictionary.search("O'B", status)), std::vector<std::string>{"O'BRIEN"});
    EXPECT_EQ(mnemonics(dictionary.search("100%", status)), std::vector<std::string>{"TESTDATE"});
    EXPECT_EQ(mnemonics(dictionary.search("e_o", status)), std::vector<std::string>{"TESTDATE"});
    EXPECT_EQ(mnemonics(dictionary.search("t*", status)), std::vector<std::string>{"TESTDATE"});
    // Wildcards are plain characters: "%" and "_" alone match only themselves.
    EXPECT_EQ(mnemonics(dictionary.search("%", status)), std::vector<std::string>{"TESTDATE"});
    EXPECT_TRUE(dictionary.search("no such thing", status).empty());
    EXPECT_TRUE(status.ok());
}

TEST_F(Dictionary, MnemonicLookupInTwoSteps) {
    Status status;
    EXPECT_EQ(dictionary.findByMnemonic("leading", status).value_or(CodeRow{}).Codigo_ADIS,
              "    800001"); // found with a blank in front
    EXPECT_EQ(dictionary.findByMnemonic("milkkg", status).value_or(CodeRow{}).Codigo_ADIS,
              "    800044"); // found as typed, padded to its width in the table
    EXPECT_FALSE(dictionary.findByMnemonic("MILK", status));
    EXPECT_EQ(dictionary.dataType("TESTDATE", status), 4);
    EXPECT_EQ(dictionary.dataType("UNKNOWN", status), 0);
}

TEST_F(Dictionary, DataTypesOfEveryCodedColumnFromOneLookupEach) {
    ImportSetup setup;
    for (const char* mnemonic : {"MILKKG", "leading", "TESTDATE ", "UNKNOWN", "", "NO IMPORTAR"}) {
        ColumnDefinition column;
        column.Mnemonic = mnemonic;
        column.DataType = 9; // what a column not looked up keeps
        setup.ColumnTable.push_back(column);
    }
    FillDataTypes(setup, dictionary);
    std::vector<int> types;
    for (const ColumnDefinition& column : setup.ColumnTable) {
        types.push_back(column.DataType);
    }
    // The same two steps as one lookup; uncoded and not imported columns untouched.
    EXPECT_EQ(types, (std::vector<int>{3, 2, 4, 0, 9, 9}));

    const CodeDictionary missing(folder.path("gone.db"));
    setup.ColumnTable[0].DataType = 7;
    FillDataTypes(setup, missing);
    EXPECT_EQ(setup.ColumnTable[0].DataType, 7); // without a dictionary nothing is known
}

TEST_F(Dictionary, IndexMnemonicByTheNumberAsTheColumnHoldsIt) {
    Status status;
    EXPECT_EQ(dictionary.indexMnemonic("    900080", status).value_or(""), "ANIMALID      ");
    EXPECT_FALSE(dictionary.indexMnemonic("900080", status)); // blanks matter
    EXPECT_FALSE(dictionary.indexMnemonic("         0", status));
}

TEST_F(Dictionary, AMissingFileIsNotFoundAndNeverCreated) {
    const CodeDictionary missing(folder.path("gone.db"));
    Status status;
    EXPECT_TRUE(missing.allCodes(status).empty());
    EXPECT_EQ(status.code(), ErrorCode::FileNotFound);
    EXPECT_FALSE(std::filesystem::exists(folder.path("gone.db")));
    folder.write("broken.db", "this is no database");
    const CodeDictionary broken(folder.path("broken.db"));
    EXPECT_TRUE(broken.allCodes(status).empty());
    EXPECT_EQ(status.code(), ErrorCode::BadFileFormat);
}

TEST(CodeFields, NumbersAndTexts) {
    EXPECT_EQ(FieldNumber("    4"), 4);
    EXPECT_EQ(FieldNumber(" 18  "), 18);
    EXPECT_EQ(FieldNumber("  x "), 0);
    EXPECT_EQ(FieldNumber(""), 0);
    EXPECT_EQ(TypeTextNumber(4), msg::DataTypeDate);
    EXPECT_EQ(Language("EN").LoadText(TypeTextNumber(1)), "1 - Yes/No");
    EXPECT_EQ(Language("EN").LoadText(TypeTextNumber(6)), "6 - Text");
    EXPECT_EQ(TypeTextNumber(7), 0);
    EXPECT_EQ(ImportTextNumber(17), msg::ImportRestrictedOther);
    EXPECT_EQ(Language("EN").LoadText(ImportTextNumber(0)), "0 - NO");
    EXPECT_EQ(Language("EN").LoadText(ImportTextNumber(18)), "18 - INIT Option");
    EXPECT_EQ(ImportTextNumber(3), 0);
    EXPECT_EQ(PadNumber("905", 10), "       905");
    EXPECT_EQ(PadText("NAME", 6), "NAME  ");
}

TEST(ShippedDictionary, HoldsTheSeedListAsDelivered) {
    const CodeDictionary shipped(SHIPPED_DICTIONARY);
    Status status;
    const auto all = shipped.allCodes(status);
    ASSERT_TRUE(status.ok()) << status.describe();
    EXPECT_GT(all.size(), 50u);
    for (const auto& row : all) {
        const std::size_t widths[] = {row.Mnemonico.size(),  row.Codigo_ADIS.size(),
                                      row.INDICE_ADS.size(), row.Explicacion.size(),
                                      row.Decimales.size(),  row.Ancho.size(),
                                      row.Tipo.size(),       row.Import_All.size()};
        for (int i = 0; i < 8; ++i) {
            ASSERT_EQ(widths[i], static_cast<std::size_t>(kCodeFieldWidths[i])) << row.Mnemonico;
        }
    }
    EXPECT_EQ(shipped.findByMnemonic("MILKKG", status).value_or(CodeRow{}).Decimales, "   1");
}

class CodeImport : public Dictionary {
protected:
    MemoryRegistry registry;
    testing::RecordingPort port;

    void serve(const std::string& mode, const std::string& answer) {
        const std::string file = folder.write("answer.ads", answer);
        registry.writeValue(RootKey::ClassesRoot,
                            std::string(kHerdServerProgId) + "\\LocalServer32", "",
                            std::string(FAKE_SERVER) + " " + mode + " " + file);
    }
};

TEST_F(CodeImport, ReplacesTheWholeDictionary) {
    const std::string definition(
        "DN000000     901100     905100     902140     903450     908 40     904 40     911 50"
        "     912 50");
    serve("answer", definition + "\r\nVN000000    900080    900080ANIMALID      Animal" +
                        std::string(39, ' ') + "   0  15    2    1\r\n" +
                        "VN000000    800044    900080" + std::string(14, ' ') + "No mnemonic" +
                        std::string(34, ' ') + "   1   3    3    1\r\nZN\r\n");
    const CodeImportResult result = Importar_Codigos(path, registry, port);
    ASSERT_TRUE(result.status.ok()) << result.status.describe();
    EXPECT_EQ(result.stored, 2u); // a blank mnemonic is a mnemonic as sent
    Status status;
    const auto all = dictionary.allCodes(status);
    EXPECT_EQ(mnemonics(all), (std::vector<std::string>{"ANIMALID", ""}));
    EXPECT_EQ(all[0].Tipo, "    2");
    EXPECT_EQ(port.progressCaptions, std::vector<int>{msg::ImportingCodes});
}

TEST_F(CodeImport, AFailingServerLeavesTheDictionaryAsItWas) {
    for (const std::string mode : {"error", "crash", "garbage"}) {
        serve(mode, "");
        const CodeImportResult result = Importar_Codigos(path, registry, port);
        EXPECT_FALSE(result.status.ok()) << mode;
        EXPECT_FALSE(result.status.message().empty());
        Status status;
        EXPECT_EQ(dictionary.allCodes(status), rows) << mode;
    }
    serve("answer", "DN000000     901100\r\nZN\r\n"); // an answer without codes
    EXPECT_FALSE(Importar_Codigos(path, registry, port).status.ok());
    Status status;
    EXPECT_EQ(dictionary.allCodes(status), rows);
}

// Well framed, but of no use: records of three items. The dictionary the user
// has is kept whole and the reason is told.
TEST_F(CodeImport, AnUnusableAnswerKeepsTheDictionary) {
    const std::pair<std::string, std::string> answers[] = {
        {"DN000000     901100     905100     902140\r\n"
         "VN000000    900080    900080ANIMALID      \r\nZN\r\n",
         "record 1 of the herd software's code list holds 3 items instead of the 8 asked for"},
    };
    for (const auto& [answer, reason] : answers) {
        serve("answer", answer);
        const CodeImportResult result = Importar_Codigos(path, registry, port);
        EXPECT_EQ(result.failure, CodeImportResult::Failure::AnswerUnusable) << reason;
        EXPECT_EQ(result.status.message(), reason);
        EXPECT_EQ(result.stored, 0u);
        Status status;
        EXPECT_EQ(dictionary.allCodes(status), rows) << reason;
    }
}

TEST_F(CodeImport, AMissingDictionaryIsNotAskedFor) {
    serve("answer", "");
    const CodeImportResult result = Importar_Codigos(folder.path("gone.db"), registry, port);
    EXPECT_EQ(result.status.code(), ErrorCode::FileNotFound);
    EXPECT_TRUE(port.progressCaptions.empty()); // the herd software was never asked
}

} // namespace
} // namespace kolvane
