// SPDX-License-Identifier: MIT
// kolvane-cli codes and imports, against a settings file and a dictionary of
// the test's own.
#include "tests/support/Process.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

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
    EXPECT_FALSE(fs::exists(kept));
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
         "kolvane-cli: imports needs list or remove\n"
         "Try 'kolvane-cli imports --help'.\n"},
        {{"imports", "frob"},
         "kolvane-cli: unknown imports command frob (list or remove)\n"
         "Try 'kolvane-cli imports --help'.\n"},
        {{"imports", "remove"},
         "kolvane-cli: SETUP.dst is missing\n"
         "Try 'kolvane-cli imports remove --help'.\n"},
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
    EXPECT_TRUE(result.out.starts_with("Usage: kolvane-cli imports remove SETUP.dst\n"))
        << result.out;
}

} // namespace
} // namespace kolvane
