// SPDX-License-Identifier: MIT
#include "herdlink/AutomaticRun.h"
#include "herdlink/HerdTexts.h"
#include "herdlink/ImporterReport.h"
#include "storage/DstWriter.h"
#include "storage/MemoryRegistry.h"
#include "storage/OpenDst.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/TempFolder.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace kolvane {
namespace {

const std::string kHeader = "CN HXDataExchange report\r\nCN file x\r\nCN 3 records\r\n";

TEST(ImporterReport, ZnAfterTheHeaderMeansNothingReported) {
    const ImporterReport report = ReadImporterReport(kHeader + "ZN everything fine\r\n");
    EXPECT_TRUE(report.noErrors);
    EXPECT_EQ(report.details, "");
}

TEST(ImporterReport, GroupsLoseTheirPrefixButTheFourthLine) {
    std::vector<int> counters;
    const ImporterReport one = ReadImporterReport(
        kHeader + "CE Error in line 7\r\nCI Item 00900032\r\nCM Not a date\r\nCS Skipped\r\nZN\r\n",
        [&](int counter) { counters.push_back(counter); });
    EXPECT_FALSE(one.noErrors);
    EXPECT_TRUE(one.ended);
    EXPECT_EQ(one.details, "Error in line 7\r\nItem 00900032\r\nNot a date\r\nCS Skipped\r\n\r\n");
    EXPECT_EQ(counters, std::vector<int>{2});

    // Two groups: the second keeps its first line too.
    const ImporterReport two = ReadImporterReport(
        kHeader + "CE a\r\nCI b\r\nCM c\r\nCS d\r\nCE e\r\nCI f\r\nCM g\r\nCS h\r\nZN\r\n");
    EXPECT_EQ(two.details, "a\r\nb\r\nc\r\nCS d\r\n\r\ne\r\nf\r\ng\r\nCS h\r\n\r\n");
    EXPECT_EQ(two.lineCounter, 3);
}

TEST(ImporterReport, EveryGroupShowsWhereItsFaultLies) {
    std::string text = kHeader;
    for (const char* record : {"1", "4", "7"}) {
        text +=
            std::string("CE Error in line ") + record + " of the ADIS file (record " + record +
            ")\r\nCI Item 00900047 CELLCOUNT\r\nCM Not a number.\r\nCS Record not imported.\r\n";
    }
    const ImporterReport report = ReadImporterReport(text + "ZN End of report\r\n");
    EXPECT_TRUE(report.ended);
    EXPECT_EQ(report.lineCounter, 4);
    const std::string group =
        "Item 00900047 CELLCOUNT\r\nNot a number.\r\nCS Record not imported.\r\n\r\n";
    EXPECT_EQ(report.details, "Error in line 1 of the ADIS file (record 1)\r\n" + group +
                                  "Error in line 4 of the ADIS file (record 4)\r\n" + group +
                                  "Error in line 7 of the ADIS file (record 7)\r\n" + group);
    // A file that ends inside the second group still shows where that one lies.
    const std::string cut = kHeader + "CE first\r\nCI i\r\nCM m\r\nCS s\r\nCE second\r\nCI j\r\n";
    EXPECT_EQ(ReadImporterReport(cut).details, "first\r\ni\r\nm\r\nCS s\r\n\r\nsecond\r\nj\r\n");
}

TEST(ImporterReport, CountsAndNotesOnEachGroup) {
    const std::string text =
        "CN HXDataExchange import of adis.ads\r\nCN Started\r\n"
        "CN Records: 48 read, 46 imported, 2 not imported; 2 errors, 1 warning.\r\n"
        "CE Error in line 9 of the ADIS file (record 5)\r\nCI i\r\nCM m\r\nCS s\r\n"
        "CW Further reports left out\r\nCI i\r\nCM m\r\nCS s\r\nZN\r\n";
    const ImporterReport report =
        ReadImporterReport(text, {}, [](std::string_view first) -> std::string {
            const auto line = FirstNumber(first);
            return line ? " <" + std::to_string(*line) + ">" : "";
        });
    ASSERT_TRUE(report.counts);
    EXPECT_EQ(report.counts->read, 48);
    EXPECT_EQ(report.counts->imported, 46);
    EXPECT_EQ(report.counts->errors, 2);
    EXPECT_EQ(report.counts->warnings, 1);
    EXPECT_TRUE(report.details.starts_with("Error in line 9 of the ADIS file (record 5) <9>\r\n"))
        << report.details;
    EXPECT_NE(report.details.find("Further reports left out\r\n"), std::string::npos);
    // A third line of another shape gives no counts.
    EXPECT_FALSE(ReadImporterReport(kHeader + "ZN\r\n").counts);
    EXPECT_FALSE(ReadImporterReport("CN\r\nCN\r\nCN Records: 1 read\r\nZN\r\n").counts);
    EXPECT_FALSE(ReadImporterReport("CN\r\nCN\r\nCN Records: 99999999999999999999999 read, 1 "
                                    "imported, 0 not imported; 0 errors, 0 warnings.\r\nZN\r\n")
                     .counts);
}

TEST(ImporterReport, ShortLinesAndEarlyEnds) {
    EXPECT_EQ(ReadImporterReport(kHeader + "CE\r\nx\r\nCMy\r\nCS\r\nZN").details,
              "\r\n\r\n\r\nCS\r\n\r\n");
    // The file ends before "ZN": what was gathered is the report, as errors.
    const ImporterReport cut = ReadImporterReport(kHeader + "CE a\r\nCI b\r\n");
    EXPECT_FALSE(cut.noErrors);
    EXPECT_FALSE(cut.ended);
    EXPECT_EQ(cut.details, "a\r\nb\r\n");
    EXPECT_FALSE(ReadImporterReport("CN only\r\n").noErrors);
    const ImporterReport missing = Revisar_Resultado(std::nullopt);
    EXPECT_FALSE(missing.noErrors);
    EXPECT_EQ(missing.details, kResultFileMissing);
}

TEST(ImporterReport, ManyGroupsCountEveryGroup) {
    std::string text = kHeader;
    for (int group = 0; group < 60; ++group) {
        text += "CE e\r\nCI i\r\nCM m\r\nCS s\r\n";
    }
    int last = 0;
    const ImporterReport report = ReadImporterReport(text + "ZN\r\n", [&](int c) { last = c; });
    EXPECT_EQ(last, 61);
    EXPECT_GT(report.details.size(), 60u * 10);
}

// A report larger than any file read whole is scanned line by line: its
// groups are counted, never taken for a missing result file.
TEST(ImporterReport, AnyResultFileSizeIsScanned) {
    testing::TempFolder folder;
    const std::string group(std::string("CE Error in line 9\r\nCI i\r\nCM ") +
                            std::string(200, 'm') + "\r\nCS s\r\n");
    {
        std::ofstream out(folder.path("HXDataExchange.ads"), std::ios::binary);
        out << kHeader;
        for (int n = 0; n < 300000; ++n) { // about 70 MB
            out << group;
        }
        out << "ZN\r\n";
    }
    int last = 0;
    const ImporterReport report =
        Revisar_Resultado(folder.path("HXDataExchange.ads"), [&](int counter) { last = counter; });
    EXPECT_TRUE(report.ended);
    EXPECT_FALSE(report.noErrors);
    EXPECT_EQ(last, 300001);
    EXPECT_TRUE(report.details.starts_with("Error in line 9\r\n"));
}

TEST(ImporterReport, LongDetailsAreCutForTheBox) {
    const std::string longText(25000, 'x');
    const std::string shown = DetailsForDisplay(longText);
    EXPECT_EQ(shown.substr(0, 20000), longText.substr(0, 20000));
    EXPECT_TRUE(shown.ends_with("\r\nAdditional Errors not shown. Please open the "
                                "HXDataexchange.ads file"));
    EXPECT_EQ(DetailsForDisplay("short"), "short");
}

TEST(HerdTexts, OwnTextsStandInWithoutAServer) {
    MemoryRegistry registry;
    const HerdTexts texts = HerdTexts::Fetch(registry);
    EXPECT_EQ(texts.fetched(), 0);
    for (const int n : {10, 11, 21, 26, 27, 28, 30, 31, 35, 36, 37, 50, 51, 57, 59}) {
        EXPECT_FALSE(texts.text(n).empty()) << n;
    }
    EXPECT_EQ(texts.text(62), "");
}

class AutomaticRun : public testing::EngineFixture {
protected:
    testing::TempFolder folder;

    std::string writeSetup(ImportSetup definition, const std::string& name = "setup.dst") {
        std::string text;
        EXPECT_TRUE(BuildDstText(definition, language, "@", text).ok());
        return folder.write(name, text);
    }
    static ImportSetup milkSetup() {
        ImportSetup definition;
        definition.Separator = "Tabs"; // the caption, as "@2" reads back
        ColumnDefinition id;
        id.Mnemonic = "ANIMALID";
        id.ItemNumber = "900080";
        id.Width = "5";
        ColumnDefinition skipped;
        skipped.Mnemonic = "Do not import ";
        definition.ColumnTable = {id, skipped};
        return definition;
    }
};

TEST_F(AutomaticRun, ReadsTheSetupTheRunnersWay) {
    ASSERT_TRUE(OpenDst(setup, language, port, writeSetup(milkSetup()), {DstReader::Runner}).ok());
    EXPECT_EQ(setup.Separator, "\t");
    EXPECT_EQ(setup.ColumnTable[1].Mnemonic, "NO IMPORTAR"); // no fix-up in the runner
    EXPECT_EQ(setup.StoredAdisHeader,
              "DH00000000000000080\r\nVH000000DD      \r\nDN00000000900080050");
}

TEST_F(AutomaticRun, AHalfReadSetupIsRefusedWhole) {
    std::string text;
    ImportSetup definition = milkSetup();
    ASSERT_TRUE(BuildDstText(definition, language, "@", text).ok());
    const std::string path = folder.write("cut.dst", text.substr(0, text.find("ANIMALID")));
    setup.Separator = ";";
    const Status status = OpenDst(setup, language, port, path, {DstReader::Runner});
    EXPECT_EQ(status.code(), ErrorCode::BadFileFormat);
    EXPECT_GT(status.line(), 0);
    EXPECT_EQ(setup.Separator, ";"); // nothing of the file was used
    EXPECT_EQ(OpenDst(setup, language, port, folder.path("none.dst"), {DstReader::Runner}).code(),
              ErrorCode::FileNotFound);
    ASSERT_EQ(port.texts.size(), 1u);
    EXPECT_EQ(port.texts[0], language.LoadText(msg::FileNotFound) + '\n' + folder.path("none.dst"));
}

TEST_F(AutomaticRun, SendDateRules) {
    setup.AskSendDate = true;
    EXPECT_EQ(RunnerSendDateRule(setup), SendDateRule::AskUser);
    setup.UseTodayAsSendDate = true;
    EXPECT_EQ(RunnerSendDateRule(setup), SendDateRule::Today);
    setup.AskSendDate = false;
    EXPECT_EQ(RunnerSendDateRule(setup), SendDateRule::Today);
    setup.DateFormatName = "dd-mm-aa";
    UseTodayAsSendDate(setup, clock);
    EXPECT_EQ(setup.SendDate, "08-12-26");
    EXPECT_EQ(setup.DatePattern, "");
}

TEST_F(AutomaticRun, ConvertsWithTheStoredHeaderAndKeepsNoHalfFiles) {
    ASSERT_TRUE(OpenDst(setup, language, port, writeSetup(milkSetup()), {DstReader::Runner}).ok());
    const std::string adis = folder.path("adis.ads");
    RunnerConversion conversion =
        ConvertForRunner(setup, context(), folder.write("in.txt", "DE01\tx\nDE02\ty\n"), adis);
    ASSERT_TRUE(conversion.status.ok()) << conversion.status.describe();
    EXPECT_EQ(folder.read("adis.ads"),
              setup.StoredAdisHeader + "\r\nVN000000DE01 \r\nVN000000DE02 \r\nZN\r\n");
    const std::string before = folder.read("adis.ads");

    conversion =
        ConvertForRunner(setup, context(), folder.write("bad.txt", "a\tb\nc\td\te\n"), adis);
    EXPECT_TRUE(conversion.tooManyFields());
    EXPECT_EQ(folder.read("adis.ads"), before);

    // Nothing to convert is nothing to import: a failure, the earlier file kept.
    for (const char* nothing : {"\n", "", "DE01\tx\rDE02\ty\r"}) {
        setup.TopLinesToSkip = std::string_view(nothing).size() > 2 ? 1 : 0;
        conversion = ConvertForRunner(setup, context(), folder.write("empty.txt", nothing), adis);
        EXPECT_EQ(conversion.outcome, SourceReadResult::Outcome::NoLines) << nothing;
        EXPECT_EQ(conversion.status.messageNumber(), msg::NoLinesToImport);
        EXPECT_EQ(folder.read("adis.ads"), before);
    }
    setup.TopLinesToSkip = 0;
}

TEST_F(AutomaticRun, ReportGroupsAndCountsNameTheSourceFile) {
    ASSERT_TRUE(OpenDst(setup, language, port, writeSetup(milkSetup()), {DstReader::Runner}).ok());
    // Two lines skipped at the top, an empty line between the rows.
    setup.TopLinesToSkip = 2;
    const RunnerConversion conversion = ConvertForRunner(
        setup, context(), folder.write("in.txt", "head\nhead\nDE01\tx\n\nDE02\ty\n"),
        folder.path("adis.ads"));
    ASSERT_TRUE(conversion.status.ok()) << conversion.status.describe();
    const long first = conversion.firstValueLine;
    EXPECT_EQ(first, 4); // after the stored header's three lines
    const GroupNote note = SourceLineNote(conversion, language);
    EXPECT_EQ(note("Error in line " + std::to_string(first) + " of the ADIS file (record 1)"),
              ", source line 3");
    EXPECT_EQ(note("Error in line " + std::to_string(first + 1) + " of the ADIS file"),
              ", source line 5");
    EXPECT_EQ(note("Error in line " + std::to_string(first - 1) + " (definition line)"), "");
    EXPECT_EQ(note("Error in line " + std::to_string(first + 2) + " of the ADIS file"), "");
    EXPECT_EQ(note("Further reports left out"), "");

    ImporterReport report;
    EXPECT_EQ(ImportCountsText(report, conversion, language), "");
    report.counts = ImportCounts{.read = 2, .imported = 2};
    EXPECT_EQ(ImportCountsText(report, conversion, language), "2 of 2 records imported.");
    report.counts = ImportCounts{.read = 48, .imported = 46, .errors = 2};
    EXPECT_EQ(ImportCountsText(report, conversion, language),
              "46 of 48 records imported; 2 errors.");
    report.counts = ImportCounts{.read = 1, .imported = 0, .errors = 1, .warnings = 1};
    EXPECT_EQ(ImportCountsText(report, conversion, language),
              "0 of 1 record imported; 1 error, 1 warning.");
    const Language german("DE");
    EXPECT_EQ(ImportCountsText(report, conversion, german),
              "0 von 1 Datensatz importiert; 1 Fehler, 1 Warnung.");
}

// An importer that never ends is ended at the limit; one that crashes is
// named as crashed. Neither is a success, whatever file it left.
TEST_F(AutomaticRun, AHungOrCrashedImporterIsNoSuccess) {
    const std::string install = (folder.root() / "hx").string();
    std::filesystem::create_directories(install);
    const auto importer = [&](const std::string& body) {
        const std::string path = folder.write("hx/HXDataExchange.exe", "#!/bin/sh\n" + body);
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    };
    const std::string report = "printf 'CN\\r\\nCN\\r\\nCN\\r\\nZN\\r\\n' > "
                               "\"$(dirname \"$0\")/HXDataExchange.ads\"\n";
    importer(report + "exec sleep 60\n");
    const auto started = std::chrono::steady_clock::now();
    RunnerImport imported =
        ImportAndReadReport(install, folder.root().string(), {}, {}, std::chrono::seconds(1));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(30));
    EXPECT_TRUE(imported.run.timedOut);
    EXPECT_FALSE(imported.report.noErrors);
    EXPECT_TRUE(imported.report.details.starts_with(
        "The importer did not end within 1 second (the setting ImporterTimeout) and was ended."))
        << imported.report.details;

    importer("kill -SEGV $$\n");
    imported = ImportAndReadReport(install, folder.root().string());
    EXPECT_EQ(imported.run.signal, SIGSEGV);
    EXPECT_FALSE(imported.report.noErrors);
    EXPECT_TRUE(imported.report.details.starts_with(
        "The importer crashed: it was ended by signal " + std::to_string(SIGSEGV)))
        << imported.report.details;
    EXPECT_NE(imported.report.details.find(kResultFileMissing), std::string::npos);

    importer("exit 4\n");
    imported = ImportAndReadReport(install, folder.root().string());
    EXPECT_TRUE(imported.report.details.starts_with(
        "The importer ended with exit status 4 and wrote no report."))
        << imported.report.details;
}

TEST(ImporterTimeout, LimitsAreWholeMinutesUpToAWeek) {
    EXPECT_EQ(ParseImporterTimeout("120"), std::chrono::minutes(120));
    EXPECT_EQ(ParseImporterTimeout(" 5 "), std::chrono::minutes(5));
    EXPECT_EQ(ParseImporterTimeout("10080"), std::chrono::minutes(10080));
    for (const char* unusable : {"", "0", "-5", "10081", "1.5", "2h", "99999999999999999999"}) {
        EXPECT_FALSE(ParseImporterTimeout(unusable)) << unusable;
    }
    EXPECT_EQ(ImporterTimeoutProblem("2h", "--importer-timeout"),
              "--importer-timeout: \"2h\" is not a time limit for the importer; give whole "
              "minutes from 1 to 10080");
}

TEST_F(AutomaticRun, ImportNeverReportsAnEarlierResult) {
    const std::string install = (folder.root() / "hx").string();
    std::filesystem::create_directories(install);
    folder.write("hx/HXDataExchange.ads", "CN\r\nCN\r\nCN\r\nZN stale success\r\n");
    RunnerImport imported = ImportAndReadReport(install, folder.root().string());
    EXPECT_EQ(imported.run.outcome, ImporterRun::Outcome::ProgramMissing);
    EXPECT_FALSE(imported.report.noErrors);
    EXPECT_NE(imported.report.details.find("could not be started"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(install + "/HXDataExchange.ads"));

    const std::string importer =
        folder.write("hx/HXDataExchange.exe", "#!/bin/sh\nprintf 'CN\\r\\nCN\\r\\nCN\\r\\nCE "
                                              "bad\\r\\nCI x\\r\\nCM y\\r\\nCS z\\r\\nZN\\r\\n'"
                                              " > \"$(dirname \"$0\")/HXDataExchange.ads\"\n");
    std::filesystem::permissions(importer, std::filesystem::perms::owner_all);
    imported = ImportAndReadReport(install, folder.root().string());
    EXPECT_EQ(imported.run.outcome, ImporterRun::Outcome::Ran);
    EXPECT_EQ(imported.report.details, "bad\r\nx\r\ny\r\nCS z\r\n\r\n");
}

} // namespace
} // namespace kolvane
