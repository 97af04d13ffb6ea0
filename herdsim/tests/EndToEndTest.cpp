// SPDX-License-Identifier: MIT
// herdsim installed into a temporary folder, with its own settings store, and
// its programs run as processes the way the product runs them.
#include "herdsim/tests/AutomationClient.h"
#include "storage/FileRegistry.h"
#include "tests/support/Process.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

namespace herdsim {
namespace {

namespace fs = std::filesystem;
using kolvane::testing::ProcessResult;

constexpr std::string_view kInstallKey = "software\\Tremholt\\HXInstall\\Settings";
constexpr std::string_view kSettingsKey = "software\\Tremholt\\Kolvane\\Settings";

// A test day as the product writes it: animal, test date, milk, fat, cells.
const std::string kDefinition = "DN000000009000801500090003208000800044031009000770420090004705"
                                "0\r\n";
const std::string kGoodFile = "DH00000000000000080\r\nVH000000DD      \r\n" + kDefinition +
                              "VN00000027600030550173020261203153442 94   \r\n"
                              "VN00000027600079457355520261204165330 30   \r\n"
                              "ZN\r\n";
const std::string kBadFile = "fN errok=1\r\nDH00000000000000080\r\nVH000000DD      \r\n" +
                             kDefinition +
                             "VN00000027600030550173020031332153442 94   \r\n" // no such date
                             "VN0000002760007945735552026120416533x 30   \r\n" // fat not a number
                             "VN00000027600036973816620261203425348 746  \r\n" // good
                             "ZN\r\n";

std::vector<std::string> crLfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
    return lines;
}

long long queryNumber(const std::string& database, const char* sql) {
    sqlite3* handle = nullptr;
    long long value = -1;
    if (sqlite3_open_v2(database.c_str(), &handle, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(handle, sql, -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW) {
            value = sqlite3_column_int64(statement, 0);
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(handle);
    return value;
}

class HerdsimInstalled : public ::testing::Test {
protected:
    void SetUp() override {
        const ProcessResult installed = run(HERDSIM_INSTALL, {installFolder});
        ASSERT_EQ(installed.exitCode, 0) << installed.err;
        installOutput = installed.out;
    }

    ProcessResult run(const std::string& program, const std::vector<std::string>& arguments) {
        kolvane::testing::ProcessOptions options;
        options.environment = environment();
        return kolvane::testing::RunProgram(program, arguments, options);
    }
    ProcessResult importer(const std::vector<std::string>& arguments) {
        return run(installed("HXDataExchange.exe"), arguments);
    }
    std::map<std::string, std::string> environment() const {
        return {{"KOLVANE_REGISTRY", registryPath}};
    }
    std::string installed(const std::string& name) const {
        return (fs::path(installFolder) / name).string();
    }
    std::vector<std::string> resultLines() const {
        return crLfLines(folder.read("herd program/HXDataExchange.ads"));
    }

    kolvane::testing::TempFolder folder;
    const std::string registryPath = folder.path("registry.reg");
    const std::string installFolder = folder.path("herd program");
    std::string installOutput;
};

TEST_F(HerdsimInstalled, TheInstallerLaysOutTheProgramsAndRegistersThem) {
    for (const char* name : {"HXDataExchange.exe", "hxautoserver"}) {
        EXPECT_EQ(access(installed(name).c_str(), X_OK), 0) << name;
    }
    EXPECT_EQ(queryNumber(installed("herd.db"), "SELECT COUNT(*) FROM imports"), 0);
    kolvane::FileRegistry registry(registryPath);
    EXPECT_EQ(registry.readValue(kolvane::RootKey::CurrentUser, kInstallKey, "Path"),
              installFolder);
    EXPECT_EQ(registry.readValue(kolvane::RootKey::ClassesRoot,
                                 "hxautoserver.application\\LocalServer32", ""),
              "\"" + installed("hxautoserver") + "\"");
    EXPECT_NE(installOutput.find("Created the empty herd database"), std::string::npos);

    // Installing again keeps the herd's data; a trailing slash is not stored.
    const ProcessResult again = run(HERDSIM_INSTALL, {installFolder + "/"});
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_NE(again.out.find("Kept the herd database"), std::string::npos);
    EXPECT_EQ(registry.readValue(kolvane::RootKey::CurrentUser, kInstallKey, "Path"),
              installFolder);
}

TEST_F(HerdsimInstalled, TheInstallerRefusesWhatItCannotDo) {
    EXPECT_EQ(run(HERDSIM_INSTALL, {}).exitCode, 2);
    const std::string file = folder.write("a file", "x");
    const ProcessResult result = run(HERDSIM_INSTALL, {file + "/sub"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("cannot create the folder"), std::string::npos) << result.err;
}

TEST_F(HerdsimInstalled, AGoodFileLandsInTheHerdDatabase) {
    folder.write("out/adis.ads", kGoodFile);
    const ProcessResult result = importer({"-a", folder.path("out/adis")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto lines = resultLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "CN HXDataExchange import of " + folder.path("out/adis.ads"));
    EXPECT_EQ(lines[3].substr(0, 2), "ZN");
    const std::string database = installed("herd.db");
    EXPECT_EQ(queryNumber(database, "SELECT records_imported FROM imports"), 2);
    EXPECT_EQ(queryNumber(database, "SELECT COUNT(*) FROM record_values"), 10);
    EXPECT_EQ(queryNumber(database, "SELECT value FROM record_values WHERE record_number = 2 AND "
                                    "item_number = 900047"),
              30);
}

TEST_F(HerdsimInstalled, ABadFileIsReportedInGroups) {
    folder.write("adis.ads", kBadFile);
    const ProcessResult result = importer({"-a", folder.path("adis")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto lines = resultLines();
    ASSERT_EQ(lines.size(), 3u + 2u * 4u + 1u);
    EXPECT_EQ(lines[2], "CN Records: 3 read, 1 imported, 2 not imported; 0 errors, 2 warnings.");
    EXPECT_EQ(lines[3], "CW Warning in line 5 of the ADIS file (record 1)");
    EXPECT_EQ(lines[4], "CI Item 00900032 TESTDATE, value \"20031332\"");
    EXPECT_EQ(lines[6].substr(0, 3), "CS ");
    EXPECT_EQ(lines[7], "CW Warning in line 6 of the ADIS file (record 2)");
    EXPECT_EQ(lines.back().substr(0, 2), "ZN");
    EXPECT_EQ(queryNumber(installed("herd.db"), "SELECT COUNT(DISTINCT record_number) FROM "
                                                "record_values"),
              1);
}

TEST_F(HerdsimInstalled, AMissingFileCannotBeImportedAndTheResultSaysWhy) {
    const ProcessResult result = importer({"-a", folder.path("nothing here")});
    EXPECT_EQ(result.exitCode, 1);
    const auto lines = resultLines();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[3], "CE The import could not run");
    EXPECT_EQ(lines[5], "CM The file does not exist.");
    EXPECT_EQ(queryNumber(installed("herd.db"), "SELECT COUNT(*) FROM imports"), 0);
}

TEST_F(HerdsimInstalled, ADamagedDatabaseStopsTheImportWithAReason) {
    folder.write("herd program/herd.db", std::string(4096, 'x'));
    folder.write("adis.ads", kGoodFile);
    const ProcessResult result = importer({"-a", folder.path("adis")});
    EXPECT_EQ(result.exitCode, 1);
    const auto lines = resultLines();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_NE(lines[5].find("herd database"), std::string::npos) << lines[5];
}

TEST_F(HerdsimInstalled, CommandLinesWithoutAnImport) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {}, {"-a"}, {"-x", "file"}, {"-a", "one", "two"}, {"--help"}}) {
        const ProcessResult result = importer(arguments);
        EXPECT_EQ(result.exitCode, 2) << ::testing::PrintToString(arguments);
        EXPECT_NE(result.err.find("Usage"), std::string::npos);
    }
    folder.write("adis.ads", kGoodFile);
    const ProcessResult summary = importer({folder.path("adis")});
    EXPECT_EQ(summary.exitCode, 0) << summary.err;
    EXPECT_NE(summary.out.find("value records 2"), std::string::npos) << summary.out;
    EXPECT_NE(summary.out.find("00900032 TESTDATE (width 8, decimals 0)"), std::string::npos);
    EXPECT_EQ(queryNumber(installed("herd.db"), "SELECT COUNT(*) FROM imports"), 0);
}

TEST_F(HerdsimInstalled, TheServerAnswersThroughPipesUntilItsInputCloses) {
    testing::AutomationClient client(installed("hxautoserver"), environment());
    ASSERT_TRUE(client.started());
    const std::string request = "RN     0     901100     905100     902140     903450     908 40"
                                "     904 40     911 50     912 50";
    const auto codes = client.call("adisexchange", {request});
    ASSERT_TRUE(codes.has_value());
    ASSERT_TRUE(codes->ok) << codes->description;
    const auto lines = crLfLines(codes->result);
    ASSERT_EQ(lines.size(), 77u); // the definition line and one line per code
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].size(), 105u) << lines[i];
    }

    const auto english = client.call("gettranslationline", {"36051"});
    ASSERT_TRUE(english.has_value());
    EXPECT_EQ(english->result, "The import finished without errors or warnings.");
    ASSERT_TRUE(kolvane::FileRegistry(registryPath)
                    .writeValue(kolvane::RootKey::CurrentUser, kSettingsKey, "Language", "DE"));
    const auto german = client.call("gettranslationline", {"36051"});
    ASSERT_TRUE(german.has_value());
    EXPECT_EQ(german->result, "Der Import wurde ohne Fehler und Warnungen abgeschlossen.");

    const auto badRequest = client.call("adisexchange", {"RN     0"});
    ASSERT_TRUE(badRequest.has_value());
    EXPECT_FALSE(badRequest->ok);
    EXPECT_EQ(badRequest->errorNumber, 30001);
    const auto unknownText = client.call("gettranslationline", {"36099"});
    ASSERT_TRUE(unknownText.has_value());
    EXPECT_EQ(unknownText->errorNumber, 30003);

    EXPECT_EQ(client.finish(), 0);
    EXPECT_EQ(client.trailingOutput(), "");
}

TEST_F(HerdsimInstalled, TheServerGivesBackWhatWasImported) {
    folder.write("adis.ads", kGoodFile);
    ASSERT_EQ(importer({"-a", folder.path("adis")}).exitCode, 0);
    testing::AutomationClient client(installed("hxautoserver"), environment());
    const auto answer = client.call("adisexchange", {"RN     1  900080150  900047050"});
    ASSERT_TRUE(answer.has_value());
    ASSERT_TRUE(answer->ok) << answer->description;
    EXPECT_EQ(
        crLfLines(answer->result),
        (std::vector<std::string>{"DN000001  900080150  900047050", "VN000001276000305501730   94",
                                  "VN000001276000794573555   30"}));
    EXPECT_EQ(client.finish(), 0);
}

} // namespace
} // namespace herdsim
