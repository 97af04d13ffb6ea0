// SPDX-License-Identifier: MIT
#include "herdlink/Importer.h"

#include "tests/support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace kolvane {
namespace {

using Words = std::vector<std::string>;

TEST(ImporterCommandLines, AsBothProgramsGiveThem) {
    const auto runner =
        ImporterCommandLine(ImporterCommand::RunnerImport, "/opt/hx", "/home/ann/kolvane");
    EXPECT_EQ(runner.arguments,
              (Words{"/opt/hx/HXDataExchange.exe", "-a", "/home/ann/kolvane/adis"}));
    EXPECT_EQ(runner.displayText, "\"/opt/hx/HXDataExchange.exe\" -a \"/home/ann/kolvane/adis\"");
    const auto import =
        ImporterCommandLine(ImporterCommand::ConverterImport, "/herd program", "/home/a b");
    EXPECT_EQ(import.arguments,
              (Words{"/herd program/HXDataExchange.exe", "-a", "/home/a b/ADIS"}));
    EXPECT_EQ(import.displayText, "\"/herd program/HXDataExchange.exe\" -a \"/home/a b/ADIS\"");
    const auto open = ImporterCommandLine(ImporterCommand::ConverterOpen, "/opt/hx", "/k");
    EXPECT_EQ(open.arguments, (Words{"/opt/hx/HXDataExchange.exe", "/k/ADIS"}));
    EXPECT_EQ(open.displayText, "\"/opt/hx/HXDataExchange.exe\" \"/k/ADIS\"");
    // Not installed: the program is looked for at the root and is missing.
    EXPECT_EQ(ImporterCommandLine(ImporterCommand::ConverterOpen, "", "/k").displayText,
              "\"/HXDataExchange.exe\" \"/k/ADIS\"");
}

TEST(ImporterCommandLines, LocatedProgramsImportWithTheSwitchAndOpenWithout) {
    const auto import =
        LocatedImporterCommandLine(ImporterCommand::ConverterImport, "/my hx/HX.exe", "/k");
    EXPECT_EQ(import.arguments, (Words{"/my hx/HX.exe", "-a", "/k/ADIS"}));
    EXPECT_EQ(import.displayText, "\"/my hx/HX.exe\" -a \"/k/ADIS\"");
    EXPECT_EQ(LocatedImporterCommandLine(ImporterCommand::ConverterOpen, "/my hx/HX.exe", "/k")
                  .displayText,
              "\"/my hx/HX.exe\" \"/k/ADIS\"");
}

TEST(ImporterRuns, MissingProgramIsItsOwnOutcome) {
    const ImporterRun run = StartImporter(
        ImporterCommand::RunnerImport,
        ImporterCommandLine(ImporterCommand::RunnerImport, "/no/such/folder", "/tmp"));
    EXPECT_EQ(run.outcome, ImporterRun::Outcome::ProgramMissing);
    EXPECT_NE(run.status.describe().find("/no/such/folder/HXDataExchange.exe"), std::string::npos);
}

TEST(ImporterRuns, TheRunnerWaitsForTheExitCode) {
    testing::TempFolder folder;
    const std::string program = folder.write(
        "HXDataExchange.exe", "#!/bin/sh\n[ \"$1\" = -a ] && echo \"$2\" > \"$(dirname "
                              "\"$0\")/args\"\nexit 7\n");
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    const ImporterRun run = StartImporter(
        ImporterCommand::RunnerImport,
        ImporterCommandLine(ImporterCommand::RunnerImport, folder.root().string(), "/own folder"));
    EXPECT_EQ(run.outcome, ImporterRun::Outcome::Ran);
    EXPECT_EQ(run.exitCode, 7);
    EXPECT_EQ(folder.read("args"), "/own folder/adis\n");
}

TEST(ImporterResults, FoundWithoutRegardToLetterCase) {
    testing::TempFolder folder;
    EXPECT_FALSE(FindImporterResult(folder.root().string()));
    folder.write("hxdataexchange.ADS", "ZN\r\n");
    EXPECT_EQ(FindImporterResult(folder.root().string()).value_or(""),
              folder.path("hxdataexchange.ADS"));
    EXPECT_FALSE(FindImporterResult(folder.path("missing")));
}

} // namespace
} // namespace kolvane
