// SPDX-License-Identifier: MIT
// kolvane-cli codes and imports, against a settings file and a dictionary of
// the test's own.
#include "tests/support/Process.h"
#include "tests/support/TempFolder.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace kolvane {
namespace {

namespace fs = std::filesystem;

class CliWithSettings : public ::testing::Test {
protected:
    testing::TempFolder folder;
    std::string registry = folder.path("registry.reg");

    testing::ProcessResult cli(const std::vector<std::string>& arguments) {
        testing::ProcessOptions options;
        options.environment["KOLVANE_REGISTRY"] = registry;
        return testing::RunProgram(KOLVANE_CLI, arguments, options);
    }
    void storeSettings(const std::string& values) {
        folder.write("registry.reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\software\\Tremholt\\"
                                     "Kolvane\\Settings]\r\n" +
                                         values);
    }
    std::string dictionaryCopy() {
        const std::string copy = folder.path("CodigosAds.db");
        fs::copy_file(SHIPPED_DICTIONARY, copy);
        return copy;
    }
};

TEST_F(CliWithSettings, CodesListsAndSearchesTheDictionary) {
    const std::string database = dictionaryCopy();
    auto result = cli({"codes", "--database", database});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(result.out.starts_with("Codes"));
    EXPECT_NE(result.out.find("ANIMALID"), std::string::npos);

    result = cli({"codes", "MILK", "--database", database});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("MILKKG"), std::string::npos);
    EXPECT_NE(result.out.find("3 - With decimals"), std::string::npos);
    EXPECT_EQ(result.out.find("ANIMALID"), std::string::npos);

    result = cli({"codes", "\"; DROP TABLE Codigos; --", "--database", database});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.err.find("No matches found for this entry."), std::string::npos);
    EXPECT_EQ(cli({"codes", "--database", database}).exitCode, 0); // the table is still there
}

// Adds a code as the herd software would deliver it (fields padded, text in
// the code page's bytes).
void addCode(const std::string& database, const std::vector<std::string>& fields) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(database.c_str(), &db), SQLITE_OK);
    sqlite3_stmt* insert = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "INSERT INTO Codigos VALUES (?, ?, ?, ?, ?, ?, ?, ?)", -1,
                                 &insert, nullptr),
              SQLITE_OK);
    for (int i = 0; i < 8; ++i) {
        sqlite3_bind_text(insert, i + 1, fields[static_cast<std::size_t>(i)].c_str(), -1,
                          SQLITE_TRANSIENT);
    }
    EXPECT_EQ(sqlite3_step(insert), SQLITE_DONE);
    sqlite3_finalize(insert);
    sqlite3_close(db);
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

// Where `part` begins in `line`, in characters of UTF-8 text.
std::size_t characterColumn(const std::string& line, const std::string& part) {
    const std::size_t at = line.find(part);
    if (at == std::string::npos) {
        return at;
    }
    return static_cast<std::size_t>(std::count_if(line.begin(), line.begin() + at, [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

TEST_F(CliWithSettings, CodesLineUpByCharactersInEveryLanguage) {
    const std::string database = dictionaryCopy();
    // "Kälbergewicht (Geburt)" in Windows-1252: one byte for the ä.
    addCode(database,
            {"CALFKG        ", "    808080", "    900080",
             "K\xE4lbergewicht (Geburt)                       ", "   1", "   4", "    3", "    1"});
    // The last heading of each language, where the import permissions begin.
    const std::vector<std::pair<std::string, std::string>> languages = {
        {"EN", "Import Allowed"},
        {"DE", "Import erlaubt"},
        {"FR", "Importation autorisée"},
        {"SP", "Importación permitida"}};
    for (const auto& [language, lastHeading] : languages) {
        const auto all = cli({"codes", "--database", database, "--language", language});
        ASSERT_EQ(all.exitCode, 0) << all.err;
        const std::vector<std::string> lines = linesOf(all.out);
        const auto row = [&lines](const std::string& mnemonic) {
            return *std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
                return line.starts_with(mnemonic);
            });
        };
        const std::string calf = row("CALFKG");
        const std::string milk = row("MILKKG");
        EXPECT_NE(calf.find("Kälbergewicht (Geburt)"), std::string::npos) << calf; // in UTF-8
        // The columns after the description start where the other rows' do.
        EXPECT_EQ(characterColumn(calf, "3 - "), characterColumn(milk, "3 - ")) << all.out;
        EXPECT_EQ(characterColumn(calf, "1 - "), characterColumn(milk, "1 - ")) << all.out;
        EXPECT_EQ(characterColumn(lines.front(), lastHeading), characterColumn(milk, "1 - "))
            << all.out;
    }
}

TEST_F(CliWithSettings, CodesForScriptsAsJsonAndTabSeparatedValues) {
    const std::string database = dictionaryCopy();
    addCode(database, {"ODD", "    808081", "         0", "a \"quoted\" \\ back\tslash\r\nnext",
                       "   0", "   2", "    6", "    0"});
    const auto table = cli({"codes", "--database", database});
    const std::size_t codes = linesOf(table.out).size() - 1; // without the headings

    auto result = cli({"codes", "--database", database, "--format", "json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(
        QByteArray(result.out.data(), static_cast<qsizetype>(result.out.size())), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    ASSERT_TRUE(json.isArray());
    const QJsonArray list = json.array();
    EXPECT_EQ(static_cast<std::size_t>(list.size()), codes);
    const auto odd = std::find_if(list.begin(), list.end(), [](const auto& value) {
        return value.toObject().value(QStringLiteral("mnemonic")).toString() ==
               QStringLiteral("ODD");
    });
    ASSERT_NE(odd, list.end());
    const QJsonObject code = odd->toObject();
    EXPECT_EQ(code.value(QStringLiteral("description")).toString(),
              QStringLiteral("a \"quoted\" \\ back\tslash\r\nnext"));
    EXPECT_TRUE(code.value(QStringLiteral("index")).isNull());
    EXPECT_EQ(code.value(QStringLiteral("width")).toInt(), 2);
    EXPECT_EQ(code.value(QStringLiteral("typeText")).toString(), QStringLiteral("6 - Text"));

    result = cli({"codes", "--database", database, "--format=tsv"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> rows = linesOf(result.out);
    ASSERT_EQ(rows.size(), codes + 1);
    EXPECT_TRUE(rows.front().starts_with("mnemonic\titem\tindex\tdescription\t")) << rows.front();
    for (const std::string& row : rows) {
        EXPECT_EQ(std::count(row.begin(), row.end(), '\t'), 9) << row;
    }
    EXPECT_NE(result.out.find("ODD\t808081\t\ta \"quoted\" \\ back slash  next\t0\t2\t6\t"),
              std::string::npos);

    // Nothing found: still a list a script can read.
    result = cli({"codes", "no such code", "--database", database, "--format", "json"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "[]\n");
}

TEST_F(CliWithSettings, CodesSpeakTheStoredLanguage) {
    storeSettings("\"Language\"=\"DE\"\r\n");
    const auto result = cli({"codes", "MILKKG", "--database", dictionaryCopy()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out.find("With decimals"), std::string::npos);
}

TEST_F(CliWithSettings, CodesWithoutDictionaryOrServer) {
    auto result = cli({"codes", "--database", folder.path("none.db")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("none.db"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder.path("none.db")));

    const std::string database = dictionaryCopy();
    const auto before = fs::file_size(database);
    result = cli({"codes", "--import", "--database", database}); // no automation server registered
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("left as it was"), std::string::npos);
    EXPECT_EQ(fs::file_size(database), before);
    EXPECT_EQ(cli({"codes", "--import", "MILK"}).exitCode, 2);
}

TEST_F(CliWithSettings, ImportsAreListedAndRemoved) {
    const std::string kept = folder.write("kept.dst", "@\r\n\r\nMilk of the morning\r\n//\r\n");
    const std::string gone = folder.path("gone.dst");
    storeSettings("\"Automatizaciones\"=\"," + kept + "," + gone + "\"\r\n");

    auto result = cli({"imports", "list"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "1  " + kept + "  Milk of the morning\n2  " + gone +
                              "  (the setup file is missing)\n");

    result = cli({"imports", "remove", folder.path("other.dst")});
    EXPECT_EQ(result.exitCode, 2);
    result = cli({"imports", "remove", kept});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(fs::exists(kept)); // the user's file: only --delete-file deletes it
    EXPECT_EQ(cli({"imports", "list"}).out, "1  " + gone + "  (the setup file is missing)\n");
    EXPECT_EQ(cli({"imports", "remove", gone}).exitCode, 0);
    result = cli({"imports", "list"});
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("no automatic imports"), std::string::npos);
    EXPECT_EQ(cli({"imports"}).exitCode, 2);
}

// A damaged store is named at once, not met later as a missing herd
// software or an empty list.
TEST_F(CliWithSettings, ADamagedStoreIsNamedAtTheFirstRead) {
    folder.write("registry.reg", "REGEDIT4\r\n[HKEY_CURRENT_USER\\k]\r\n\"v\"=dword:1\r\n");
    const auto result = cli({"imports", "list"});
    EXPECT_NE(result.err.find("kolvane-cli: " + registry +
                              ": the settings store cannot be used (it is not a settings file "
                              "that can be understood)"),
              std::string::npos)
        << result.err;
    EXPECT_EQ(result.err.find("cannot be used"), result.err.rfind("cannot be used")); // once
}

TEST_F(CliWithSettings, ImportsAndCodesUsageErrorsNameTheirHelp) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"imports"},
         "kolvane-cli: imports needs list, add or remove\n"
         "Try 'kolvane-cli imports --help'.\n"},
        {{"imports", "frob"},
         "kolvane-cli: unknown imports command frob (list, add or remove)\n"
         "Try 'kolvane-cli imports --help'.\n"},
        {{"imports", "remove"},
         "kolvane-cli: ENTRY is missing\n"
         "Try 'kolvane-cli imports remove --help'.\n"},
        {{"imports", "add", "milk.dst", "-d"},
         "kolvane-cli: -d and -c are switches of the batch file: they go with --batch-file\n"
         "Try 'kolvane-cli imports add --help'.\n"},
        {{"codes", "--format", "xml"},
         "kolvane-cli: --format takes \"tsv\" or \"json\", not \"xml\"\n"
         "Try 'kolvane-cli codes --help'.\n"},
        {{"codes", "--import", "MILK"},
         "kolvane-cli: --import takes no search text\n"
         "Try 'kolvane-cli codes --help'.\n"},
    };
    for (const auto& [arguments, error] : cases) {
        const auto result = cli(arguments);
        EXPECT_EQ(result.exitCode, 2) << ::testing::PrintToString(arguments);
        EXPECT_EQ(result.err, error);
    }
    const auto result = cli({"imports", "remove", "--help"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.out.starts_with("Usage: kolvane-cli imports remove ENTRY [--delete-file]\n"))
        << result.out;
}

} // namespace
} // namespace kolvane
