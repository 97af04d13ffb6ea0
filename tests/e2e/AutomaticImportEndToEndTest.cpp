// SPDX-License-Identifier: MIT
// Whole programs against the stand-in herd software in a sandbox: Brennick and
// kolvane-cli run from a temporary copy of the program folder.
#include "storage/FileRegistry.h"
#include "storage/WinReg.h"
#include "tests/support/HerdsimSandbox.h"
#include "tests/support/Process.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>

namespace kolvane {
namespace {

namespace fs = std::filesystem;

const std::string kGoodSource = "Animal;Date;Milk;Cells\r\n"
                                "276000912345678;03-12-26;31,4;120\r\n"
                                "276000912345679;04-12-26;28,9;85\r\n"
                                "276000912345680;04-12-26;19,0;240\r\n";
const std::string kBadSource = "Animal;Date;Milk;Cells\r\n"
                               "276000912345678;03-12-26;31,4;12x\r\n"
                               "276000912345679;31-02-26;28,9;85\r\n";

class EndToEnd : public ::testing::Test {
protected:
    explicit EndToEnd(const std::string& installName = "hx")
        : sandbox(HERDSIM_INSTALL, installName) {}

    testing::HerdsimSandbox sandbox;

    // The program copied into the sandbox's program folder, so that its files land there.
    std::string installed(const std::string& program) const {
        const fs::path target = fs::path(sandbox.programFolder()) / fs::path(program).filename();
        if (!fs::exists(target)) {
            fs::copy_file(program, target);
        }
        return target.string();
    }
    testing::ProcessResult run(const std::string& program,
                               const std::vector<std::string>& arguments) {
        testing::ProcessOptions options;
        options.environment = sandbox.environment();
        return testing::RunProgram(installed(program), arguments, options);
    }
    std::string setupFor(const std::string& source) {
        return sandbox.writeMilkSetup("milk.dst", sandbox.writeSource("milk.txt", source));
    }
};

TEST_F(EndToEnd, BrennickImportsUnattendedAndExitsZero) {
    const auto result = run(BRENNICK, {"-d", "-c", setupFor(kGoodSource)});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(sandbox.importedRecords(), 3);
    const std::string adis = sandbox.folder().read("program/adis.ads");
    EXPECT_TRUE(adis.starts_with("fN errok=1\r\nDH00000000000000080\r\n"));
    EXPECT_TRUE(adis.ends_with("\r\nZN\r\n"));
    EXPECT_TRUE(sandbox.folder().read("hx/HXDataExchange.ads").find("ZN") != std::string::npos);
}

// Started by a scheduler on a machine without a desktop, or asked for its
// usage: one line (or the usage) and an exit status, never a window or an abort.
TEST_F(EndToEnd, BrennickWithoutADesktopSaysSoAndWhatToUseInstead) {
    testing::ProcessOptions options;
    options.environment = sandbox.environment();
    options.environment["DISPLAY"] = "";
    options.environment["WAYLAND_DISPLAY"] = "";
    options.environment["QT_QPA_PLATFORM"] = "";
    const std::string brennick = installed(BRENNICK);
    auto result = testing::RunProgram(brennick, {"-d", "-c", setupFor(kGoodSource)}, options);
    EXPECT_EQ(result.exitCode, 2) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_NE(result.err.find("kolvane-cli run"), std::string::npos) << result.err;
    EXPECT_EQ(sandbox.importedRecords(), 0);

    for (const char* ask : {"--help", "--version"}) {
        result = testing::RunProgram(brennick, {ask}, options);
        EXPECT_EQ(result.exitCode, 0) << ask << result.err;
        EXPECT_TRUE(result.out.starts_with("Brennick ")) << ask << result.out;
        EXPECT_TRUE(result.err.empty()) << ask << result.err;
    }
    EXPECT_NE(result.out.find('.'), std::string::npos); // the version number
}

TEST_F(EndToEnd, RunCommandExitCodesForEachOutcome) {
    auto result = run(KOLVANE_CLI, {"run", setupFor(kGoodSource)});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "The import finished without errors or warnings. 3 of 3 records imported.\n");
    EXPECT_EQ(sandbox.importedRecords(), 3);

    result = run(KOLVANE_CLI, {"run", setupFor(kBadSource)});
    EXPECT_EQ(result.exitCode, 3) << result.err;
    EXPECT_NE(result.out.find("00900047"), std::string::npos) << result.out; // the bad cell count
    EXPECT_NE(result.out.find("00900032"), std::string::npos) << result.out; // the 31 February

    result = run(KOLVANE_CLI, {"run", setupFor("h\r\n1;2;3;4\r\n1;2;3;4;5\r\n")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("more columns than the first line"), std::string::npos) << result.err;

    result = run(KOLVANE_CLI, {"run", sandbox.folder().path("missing.dst")});
    EXPECT_EQ(result.exitCode, 2);

    fs::remove(sandbox.installFolder() + "/HXDataExchange.exe");
    result = run(KOLVANE_CLI, {"run", setupFor(kGoodSource)});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("could not be started"), std::string::npos) << result.err;
}

TEST_F(EndToEnd, RunReadsTheSourceFromStandardInput) {
    testing::ProcessOptions options;
    options.environment = sandbox.environment();
    options.input = kGoodSource;
    const auto result = testing::RunProgram(
        installed(KOLVANE_CLI), {"run", sandbox.writeMilkSetup("milk.dst", "@"), "--source", "-"},
        options);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "The import finished without errors or warnings. 3 of 3 records imported.\n");
    EXPECT_EQ(result.err.find('\r'), std::string::npos) << result.err; // not a terminal
    EXPECT_EQ(sandbox.importedRecords(), 3);
}

// script(1) gives the program a terminal: an importer that takes over a
// second gets the seconds line, wiped before the outcome is printed.
TEST_F(EndToEnd, OnATerminalRunCountsTheSecondsOfASlowImport) {
    if (!fs::exists("/usr/bin/script")) {
        GTEST_SKIP() << "script(1) is not installed";
    }
    const std::string importer = sandbox.installFolder() + "/HXDataExchange.exe";
    fs::rename(importer, importer + ".real");
    sandbox.folder().write("hx/HXDataExchange.exe",
                           "#!/bin/sh\nsleep 1.5\nexec '" + importer + ".real' \"$@\"\n");
    fs::permissions(importer, fs::perms::owner_all);
    const std::string command =
        "'" + installed(KOLVANE_CLI) + "' run '" + setupFor(kGoodSource) + "'";
    testing::ProcessOptions options;
    options.environment = sandbox.environment();
    const auto result =
        testing::RunProgram("/usr/bin/script", {"-q", "-e", "-c", command, "/dev/null"}, options);
    EXPECT_EQ(result.exitCode, 0) << result.out;
    EXPECT_EQ(sandbox.importedRecords(), 3);
    const std::string shown = "\rImporting data, this may take a moment ... 1 s";
    const std::size_t line = result.out.find(shown);
    ASSERT_NE(line, std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("... 0 s"), std::string::npos) << result.out; // not before a second
    const std::string wiped = "\r" + std::string(shown.size() - 1, ' ') + "\r";
    const std::size_t wipe = result.out.find(wiped, line);
    EXPECT_NE(wipe, std::string::npos) << result.out;
    EXPECT_LT(wipe, result.out.find("3 of 3 records imported.")) << result.out;
}

TEST_F(EndToEnd, AnUnusableImporterTimeoutIsToldBeforeAnythingRuns) {
    const std::string setup = setupFor(kGoodSource);
    auto result = run(KOLVANE_CLI, {"run", setup, "--importer-timeout", "0"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("\"0\" is not a time limit for the importer"), std::string::npos)
        << result.err;
    testing::ProcessOptions options;
    options.environment = sandbox.environment();
    FileRegistry(options.environment.at("KOLVANE_REGISTRY"))
        .writeValue(RootKey::CurrentUser, WinReg::kSettingsKey, "ImporterTimeout", "soon");
    result = testing::RunProgram(installed(KOLVANE_CLI), {"run", setup}, options);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("the setting ImporterTimeout in " +
                              options.environment.at("KOLVANE_REGISTRY")),
              std::string::npos)
        << result.err;
    EXPECT_EQ(sandbox.importedRecords(), 0);
    // The option wins over the setting.
    result = testing::RunProgram(installed(KOLVANE_CLI), {"run", setup, "--importer-timeout=5"},
                                 options);
    EXPECT_EQ(result.exitCode, 0) << result.err;
}

// A file of one CR-only "line", or one whose skips leave nothing: no record
// would reach the herd database, and that is no success.
TEST_F(EndToEnd, AnImportOfNothingIsAFailure) {
    for (const std::string& source :
         {std::string("Animal;Date;Milk;Cells\r276000912345678;03-12-26;31,4;120\r"),
          std::string("Animal;Date;Milk;Cells\r\n")}) {
        const auto result = run(KOLVANE_CLI, {"run", setupFor(source)});
        EXPECT_EQ(result.exitCode, 1) << result.out << result.err;
        EXPECT_NE(result.err.find("No lines to be imported."), std::string::npos) << result.err;
        EXPECT_EQ(result.out.find("without errors"), std::string::npos) << result.out;
        EXPECT_EQ(sandbox.importedRecords(), 0);
    }
}

TEST_F(EndToEnd, RunCanStopAfterTheAdisFile) {
    const std::string output = sandbox.folder().path("out.ads");
    const auto result =
        run(KOLVANE_CLI, {"run", setupFor(kGoodSource), "--no-import", "-o", output});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(fs::exists(output));
    EXPECT_EQ(sandbox.importedRecords(), 0);
    EXPECT_EQ(run(KOLVANE_CLI, {"run", setupFor(kGoodSource), "-o", output}).exitCode, 2);
}

TEST_F(EndToEnd, CodesAreRefilledFromTheHerdSoftware) {
    const std::string database = sandbox.folder().path("CodigosAds.db");
    fs::copy_file(SHIPPED_DICTIONARY, database);
    auto result = run(KOLVANE_CLI, {"codes", "--import", "--database", database});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("76 codes stored"), std::string::npos) << result.err;
    result = run(KOLVANE_CLI, {"codes", "MILKKG", "--database", database});
    EXPECT_NE(result.out.find("    800044"), std::string::npos) << result.out;
}

// Today's date as "YYYYMMDD" in the local time zone.
std::string todayAsAdis() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y%m%d", &local);
    return text;
}

std::size_t countOf(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

class SendDateEndToEnd : public EndToEnd {
protected:
    std::string datedSetup() {
        return sandbox.writeMilkSetup("dated.dst", sandbox.writeSource("milk.txt", kGoodSource),
                                      true);
    }
};

TEST_F(SendDateEndToEnd, RunRefusesASendDateThatDoesNotReadInTheFormat) {
    const std::string setup = datedSetup();
    auto result = run(KOLVANE_CLI, {"run", setup, "--send-date", "2026-12-08"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.starts_with("kolvane-cli: The send date \"2026-12-08\" does not read "
                                       "as a date in the format dd-mm-yy, for example "))
        << result.err;
    EXPECT_NE(result.err.find("\nTry 'kolvane-cli run --help'.\n"), std::string::npos);
    for (const char* wrong : {"31-02-26", "08-13-26", "4.12.2026", "081226", "today's"}) {
        result = run(KOLVANE_CLI, {"run", setup, "--send-date", wrong});
        EXPECT_EQ(result.exitCode, 2) << wrong;
        EXPECT_NE(result.err.find(std::string("\"") + wrong + '"'), std::string::npos)
            << result.err;
    }
    EXPECT_EQ(sandbox.importedRecords(), 0);
    EXPECT_FALSE(fs::exists(sandbox.programFolder() + "/adis.ads"));

    // In the user's language, as every status of the command line.
    result = run(KOLVANE_CLI, {"run", setup, "--send-date", "12.2026", "--language", "DE"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.starts_with("kolvane-cli: Das Sendedatum \"12.2026\" l\xC3\xA4sst sich "
                                       "nicht als Datum im Format tt-mm-jj lesen"))
        << result.err;

    result = run(KOLVANE_CLI, {"run", setup, "--send-date", "08-12-26"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(sandbox.importedRecords(), 3);
    EXPECT_EQ(countOf(sandbox.folder().read("program/adis.ads"), "20261208"), 3u);
}

TEST_F(SendDateEndToEnd, TodayIsTodaysDateInTheSetupsFormat) {
    const std::string before = todayAsAdis();
    const auto result = run(KOLVANE_CLI, {"run", datedSetup(), "--send-date", "today"});
    const std::string after = todayAsAdis();
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "The import finished without errors or warnings. 3 of 3 records imported.\n");
    EXPECT_EQ(sandbox.importedRecords(), 3);
    const std::string adis = sandbox.folder().read("program/adis.ads");
    // Run over midnight, either day is right.
    EXPECT_EQ(std::max(countOf(adis, before), countOf(adis, after)), 3u) << adis;
}

TEST_F(SendDateEndToEnd, ConvertChecksTheSendDateToo) {
    const std::string setup = datedSetup();
    const std::string output = sandbox.folder().path("out.ads");
    auto result = run(KOLVANE_CLI, {"convert", setup, "--send-date", "2026-12-08", "-o", output});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("in the format dd-mm-yy, for example "), std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("\nTry 'kolvane-cli convert --help'.\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(output));

    const std::string before = todayAsAdis();
    result = run(KOLVANE_CLI, {"convert", setup, "--send-date=today", "-o", output});
    const std::string after = todayAsAdis();
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::string adis = sandbox.folder().read("out.ads");
    EXPECT_EQ(std::max(countOf(adis, before), countOf(adis, after)), 3u) << adis;
}

// A date of the source that cannot be translated would go in empty.
// The runner goes on past a date it cannot translate, but such an import is
// never told as a success: the details name the message and the cell.
TEST_F(EndToEnd, RunWithADateThatCannotBeTranslatedEndsWithTheErrorsOutcome) {
    const std::string source =
        sandbox.writeSource("milk.txt", "Animal;Date;Milk;Cells\r\n"
                                        "276000912345678;1-2-3;31,4;120\r\n"
                                        "276000912345679;03-12-26;28,9;85\r\n");
    const auto result = run(KOLVANE_CLI, {"run", sandbox.writeMilkSetup("milk.dst", source)});
    EXPECT_EQ(result.exitCode, 3) << result.out << result.err;
    EXPECT_NE(result.out.find("The program can not translate a date field."), std::string::npos)
        << result.out;
    // Neither the details nor standard error send the user to a window the
    // command line does not have.
    EXPECT_EQ((result.out + result.err).find("\"Setup\" window"), std::string::npos)
        << result.out << result.err;
    EXPECT_NE(result.out.find(source + ":2: column 2 (TESTDATE): \"1-2-3\" is not a date"),
              std::string::npos)
        << result.out;
    EXPECT_EQ(result.out.find("without errors"), std::string::npos) << result.out;
}

// The importer takes a value cut to its width without a word: the run tells it.
TEST_F(EndToEnd, RunWithACutNumberIsNeverASuccess) {
    const std::string source =
        sandbox.writeSource("milk.txt", "Animal;Date;Milk;Cells\r\n"
                                        "276000912345678;03-12-26;31,4;120\r\n"
                                        "276000912345679;03-12-26;1234,5;85\r\n");
    const auto result = run(KOLVANE_CLI, {"run", sandbox.writeMilkSetup("milk.dst", source)});
    EXPECT_EQ(result.exitCode, 3) << result.out << result.err;
    EXPECT_NE(result.out.find(source + ":3: column 3 (MILKKG): \"1234,5\" cut to 3 characters"),
              std::string::npos)
        << result.out;
    EXPECT_EQ(result.out.find("without errors"), std::string::npos) << result.out;
}

TEST_F(EndToEnd, RunShowsWhereEachReportedRecordLies) {
    const auto result =
        run(KOLVANE_CLI, {"run", setupFor("Animal;Date;Milk;Cells\r\n"
                                          "276000912345678;03-12-26;31,4;12x\r\n"
                                          "276000912345679;04-12-26;28,9;85\r\n"
                                          "276000912345680;04-12-26;19,0;8y\r\n"
                                          "276000912345681;05-12-26;22,0;2z0\r\n")});
    EXPECT_EQ(result.exitCode, 3) << result.err;
    // errok is set: the importer words them as warnings.
    EXPECT_EQ(countOf(result.out, " of the ADIS file (record "), 3u) << result.out;
    // Each group names the line of the source file that holds the record.
    for (const char* record : {"(record 1), source line 2\n", "(record 3), source line 4\n",
                               "(record 4), source line 5\n"}) {
        EXPECT_NE(result.out.find(record), std::string::npos) << record << '\n' << result.out;
    }
    EXPECT_TRUE(result.out.starts_with("The import reported errors or warnings. Press Details to "
                                       "read them. 1 of 4 records imported; 3 warnings.\n"))
        << result.out;
}

// Every kind of wrong value ends with the errors outcome and exit status 3, the
// finding first in the details, and the counts naming it.
TEST_F(EndToEnd, RunOutcomeForEachKindOfWrongValue) {
    struct Case {
        const char* row;
        const char* finding;
        const char* counts;
    };
    const Case cases[] = {
        {"276000912345679;03-12-26;1234,5;85", ":3: column 3 (MILKKG): \"1234,5\" cut to 3",
         "2 of 2 records imported; 1 error."},
        {"276000912345679;03-12-26;2x,5;85", ":3: column 3 (MILKKG): \"2x,5\" is not a number",
         "1 of 2 records imported; 1 error, 1 warning."},
        {"276000912345679;31-02-26;28,9;85", ":3: column 2 (TESTDATE): \"31-02-26\" is not a date",
         "; 1 error"},
        {";03-12-26;28,9;85", ":3: warning: column 1 (ANIMALID): empty index value",
         "1 of 2 records imported; 4 warnings."},
    };
    for (const Case& bad : cases) {
        const std::string source = sandbox.writeSource(
            "milk.txt", "Animal;Date;Milk;Cells\r\n276000912345678;03-12-26;31,4;120\r\n" +
                            std::string(bad.row) + "\r\n");
        const auto result = run(KOLVANE_CLI, {"run", sandbox.writeMilkSetup("milk.dst", source)});
        EXPECT_EQ(result.exitCode, 3) << bad.row << '\n' << result.out << result.err;
        EXPECT_TRUE(result.out.starts_with("The import reported errors or warnings."))
            << bad.row << '\n'
            << result.out;
        const std::size_t firstLineEnd = result.out.find('\n');
        EXPECT_NE(result.out.substr(0, firstLineEnd).find(bad.counts), std::string::npos)
            << bad.row << '\n'
            << result.out;
        EXPECT_EQ(result.out.find(source + bad.finding), firstLineEnd + 1) << bad.row << '\n'
                                                                           << result.out;
    }
}

// Herd software installed where a user may well put it: a folder name with a
// blank and a letter outside ASCII. The importer and the automation server
// must both be started from there.
class EndToEndInAFolderWithABlank : public EndToEnd {
protected:
    EndToEndInAFolderWithABlank() : EndToEnd("Herd Software/M\xC3\xBCller") {}
};

TEST_F(EndToEndInAFolderWithABlank, RunImportsAndCodesAreRefilled) {
    auto result = run(KOLVANE_CLI, {"run", setupFor(kGoodSource)});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "The import finished without errors or warnings. 3 of 3 records imported.\n");
    EXPECT_EQ(sandbox.importedRecords(), 3);
    EXPECT_TRUE(fs::exists(sandbox.installFolder() + "/HXDataExchange.ads"));

    const std::string database = sandbox.folder().path("CodigosAds.db");
    fs::copy_file(SHIPPED_DICTIONARY, database);
    result = run(KOLVANE_CLI, {"codes", "--import", "--database", database});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("76 codes stored"), std::string::npos) << result.err;
}

} // namespace
} // namespace kolvane
