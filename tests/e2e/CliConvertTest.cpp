// SPDX-License-Identifier: MIT
#include "tests/support/Process.h"
#include "tests/support/TempFolder.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <random>
#include <sstream>

namespace kolvane {
namespace {

namespace fs = std::filesystem;

const std::string kGolden = std::string(KOLVANE_SOURCE_DIR) + "/tests/data/golden/";

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

testing::ProcessResult cli(const std::vector<std::string>& arguments) {
    return testing::RunProgram(KOLVANE_CLI, arguments);
}

TEST(CliConvert, HelpAndVersionGoToStandardOutput) {
    for (const auto& arguments :
         std::vector<std::vector<std::string>>{{"--help"}, {"convert", "--help"}, {"--version"}}) {
        const auto result = cli(arguments);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_NE(result.out, "");
        EXPECT_EQ(result.err, "");
    }
    EXPECT_NE(cli({"--help"}).out.find("kolvane-cli convert SETUP.dst"), std::string::npos);
}

TEST(CliConvert, CommandHelpListsEveryOption) {
    for (const std::string help : {"--help", "-h"}) {
        const auto result = cli({"convert", help});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.err, "");
        EXPECT_TRUE(result.out.starts_with("Usage: kolvane-cli convert SETUP.dst")) << result.out;
        for (const char* option :
             {"\n      --source FILE ", "\n  -o, --output FILE ", "\n      --send-date TEXT ",
              "\n      --language SP|EN|DE|FR ", "\n      --decimal-separator .|, ",
              "\n      --old-layout ", "\n  -h, --help "}) {
            EXPECT_NE(result.out.find(option), std::string::npos) << option << result.out;
        }
    }
    EXPECT_EQ(cli({"--version"}).out, "kolvane-cli 1.0.0\n");
}

TEST(CliConvert, UsageErrorsTakeTwoLinesNamingTheHelpToRead) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"convert", "a.dst", "--bogus"},
         "kolvane-cli: unknown option --bogus\nTry 'kolvane-cli convert --help'.\n"},
        {{"convert", "a.dst", "--language=IT"},
         "kolvane-cli: --language takes \"SP\", \"EN\", \"DE\" or \"FR\", not \"IT\"\n"
         "Try 'kolvane-cli convert --help'.\n"},
        {{"run", "a.dst", "--output=x.ads"},
         "kolvane-cli: -o goes with --no-import: the importer always reads adis.ads in the "
         "program folder\nTry 'kolvane-cli run --help'.\n"},
        {{"frobnicate"}, "kolvane-cli: unknown command frobnicate\nTry 'kolvane-cli --help'.\n"},
        {{}, "kolvane-cli: no command given\nTry 'kolvane-cli --help'.\n"},
    };
    for (const auto& [arguments, error] : cases) {
        const auto result = cli(arguments);
        EXPECT_EQ(result.exitCode, 2) << ::testing::PrintToString(arguments);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, error);
    }
}

TEST(CliConvert, UsageErrorsExitWithTwo) {
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"convert"},
        {"convert", "a.dst", "b.dst"},
        {"convert", "a.dst", "--bogus"},
        {"convert", "a.dst", "--language", "IT"},
        {"convert", "a.dst", "--decimal-separator", ";"},
        {"convert", "a.dst", "-o"},
        {"frobnicate"},
    };
    for (const auto& arguments : wrong) {
        const auto result = cli(arguments);
        EXPECT_EQ(result.exitCode, 2) << ::testing::PrintToString(arguments);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err, "");
    }
}

TEST(CliConvert, MissingSetupShowsTheMessageInTheChosenLanguage) {
    auto result = cli({"convert", "/no/such/setup.dst"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("The file could not be found in the system."), std::string::npos);
    EXPECT_NE(result.err.find("/no/such/setup.dst"), std::string::npos);
    result = cli({"convert", "/no/such/setup.dst", "--language", "SP"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err.find("The file could not be found"), std::string::npos);
}

TEST(CliConvert, ValuesMayFollowAnEqualsSign) {
    testing::TempFolder folder;
    auto result =
        cli({"convert", kGolden + "times/setup.dst", "--source=" + kGolden + "times/source.txt",
             "--output=" + folder.path("result.ads"), "--decimal-separator=."});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(folder.read("result.ads"), readFile(kGolden + "times/expected.ads"));

    result = cli({"convert", "/no/such/setup.dst", "--language=DE"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err.find("Try 'kolvane-cli"), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("The file could not be found"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("/no/such/setup.dst"), std::string::npos);
}

TEST(CliConvert, SourceMustBeGivenWhenTheSetupStoresNone) {
    const auto result = cli({"convert", kGolden + "times/setup.dst"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("--source"), std::string::npos);
}

TEST(CliConvert, MissingSourceExitsWithTwoAndNamesIt) {
    const auto result = cli({"convert", kGolden + "times/setup.dst", "--source", "/no/such.txt"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("/no/such.txt: The file could not be found in the system."),
              std::string::npos)
        << result.err;
    EXPECT_EQ(result.out, "");
}

// Under --language DE every line that reports the failure is German: the
// message the converter shows and the line that names the file.
TEST(CliConvert, AFailureIsToldInTheChosenLanguageOnly) {
    const std::string setup = kGolden + "fail-no-lines/setup.dst";
    const auto result = cli(
        {"convert", setup, "--source", kGolden + "fail-no-lines/source.txt", "--language", "DE"});
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_EQ(result.err.find("No lines to be imported"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("source.txt: line "), std::string::npos) << result.err;
}

// Paths are the file system's bytes, not ANSI text: a farmer called Müller
// keeps his folder, in the output and in the messages.
TEST(CliConvert, AFolderWithANonAsciiNameWorks) {
    testing::TempFolder folder;
    const std::string source =
        folder.write("Müller Hof/quelle.txt", readFile(kGolden + "times/source.txt"));
    const std::string output = folder.path("Müller Hof/ergebnis.ads");
    auto result = cli({"convert", kGolden + "times/setup.dst", "--source", source, "-o", output,
                       "--decimal-separator", "."});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(folder.read("Müller Hof/ergebnis.ads"), readFile(kGolden + "times/expected.ads"));
    EXPECT_NE(result.err.find("rows converted into " + output), std::string::npos) << result.err;

    result = cli({"convert", kGolden + "times/setup.dst", "--source", folder.path("Müller/x.txt")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find(folder.path("Müller/x.txt") + ": "), std::string::npos) << result.err;
}

TEST(CliConvert, OutputFileIsWrittenWholeOrNotAtAll) {
    testing::TempFolder folder;
    const std::string output = folder.path("result.ads");
    auto result = cli({"convert", kGolden + "times/setup.dst", "--source",
                       kGolden + "times/source.txt", "-o", output});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "");
    const std::string converted = folder.read("result.ads");
    EXPECT_EQ(converted, readFile(kGolden + "times/expected.ads"));
    EXPECT_TRUE(converted.ends_with("\r\nZN\r\n"));
    EXPECT_NE(result.err.find("4 rows converted into"), std::string::npos);

    // A conversion that fails leaves the earlier file as it was, and no temporary.
    result = cli({"convert", kGolden + "fail-bad-date/setup.dst", "--source",
                  kGolden + "fail-bad-date/source.txt", "--output", output});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(folder.read("result.ads"), converted);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"result.ads"});

    result = cli({"convert", kGolden + "times/setup.dst", "--source", kGolden + "times/source.txt",
                  "-o", folder.path("no/such/folder/x.ads")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("x.ads"), std::string::npos);
}

TEST(CliConvert, OutputNeverOverwritesItsOwnInputs) {
    testing::TempFolder folder;
    const std::string setup = folder.write("setup.dst", readFile(kGolden + "times/setup.dst"));
    const std::string source = folder.write("source.txt", readFile(kGolden + "times/source.txt"));
    fs::create_symlink(source, folder.path("alias.txt"));
    for (const std::string& output : {setup, source, folder.path("alias.txt")}) {
        const auto result = cli({"convert", setup, "--source", source, "-o", output});
        EXPECT_EQ(result.exitCode, 2) << output;
        EXPECT_NE(result.err.find("the output would overwrite"), std::string::npos) << result.err;
    }
    EXPECT_EQ(folder.read("setup.dst"), readFile(kGolden + "times/setup.dst"));
    EXPECT_EQ(folder.read("source.txt"), readFile(kGolden + "times/source.txt"));
}

// Standard output that takes only part of the text (a file size limit here):
// the command fails and says so, however late the failure comes.
TEST(CliConvert, ALateFailureOfStandardOutputIsAFailure) {
    testing::TempFolder folder;
    std::string big;
    for (int row = 0; row < 2000; ++row) {
        big += std::to_string(276000900000 + row) + ";7:05\r\n"; // no findings: little to say
    }
    const std::string source = folder.write("big.txt", big);
    const std::string command = "ulimit -f 2; exec '" + std::string(KOLVANE_CLI) + "' convert '" +
                                kGolden + "times/setup.dst' --source '" + source + "' > '" +
                                folder.path("cut.ads") + "'";
    const auto result = testing::RunProgram("/bin/sh", {"-c", command});
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_NE(result.err.find("writing to standard output failed"), std::string::npos)
        << result.err;
    EXPECT_LE(fs::file_size(folder.path("cut.ads")), 2048u); // the shell's limit, in its units
}

// Killed at any moment, a writer leaves the earlier file whole and no
// temporary file behind.
TEST(CliConvert, AKilledConversionNeverTearsTheOutput) {
    testing::TempFolder folder;
    std::string big;
    for (int row = 0; row < 400000; ++row) {
        big += "DE" + std::to_string(row) + ";14-30\r\n";
    }
    const std::string source = folder.write("big.txt", big);
    const std::string output = folder.path("out.ads");
    const std::vector<std::string> arguments = {
        "convert", kGolden + "times/setup.dst", "--source", source, "-o", output};
    ASSERT_EQ(cli(arguments).exitCode, 0);
    const std::string whole = folder.read("out.ads");
    std::mt19937 random(20261209);
    int killedBeforeTheEnd = 0;
    for (int kill = 0; kill < 30; ++kill) {
        const auto ended =
            testing::RunAndKill(KOLVANE_CLI, arguments, std::chrono::milliseconds(random() % 120));
        killedBeforeTheEnd += ended.killed ? 1 : 0;
        ASSERT_EQ(folder.read("out.ads"), whole) << "kill " << kill;
        ASSERT_EQ(folder.entries(), (std::vector<std::string>{"big.txt", "out.ads"}))
            << "kill " << kill;
    }
    std::cerr << killedBeforeTheEnd << " of 30 conversions were killed before they ended\n";
    EXPECT_GT(killedBeforeTheEnd, 0);
}

TEST(CliConvert, DashOutputIsStandardOutput) {
    const auto result = cli({"convert", kGolden + "times/setup.dst", "--source",
                             kGolden + "times/source.txt", "-o", "-"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.out.starts_with("DH00000000000000080\r\n"));
}

// Standard input is read through a private copy in the temporary folder,
// which is gone again when the command ends; findings name it "stdin".
TEST(CliConvert, DashSourceIsStandardInput) {
    testing::TempFolder folder;
    testing::ProcessOptions options;
    options.environment["TMPDIR"] = folder.path("tmp");
    fs::create_directories(folder.path("tmp"));
    const std::string source = readFile(kGolden + "times/source.txt");
    options.input = source;
    const auto fromStdin = testing::RunProgram(KOLVANE_CLI,
                                               {"convert", kGolden + "times/setup.dst", "--source",
                                                "-", "-o", "-", "--decimal-separator", "."},
                                               options);
    EXPECT_EQ(fromStdin.exitCode, 0) << fromStdin.err;
    EXPECT_EQ(fromStdin.out, readFile(kGolden + "times/expected.ads"));
    const auto fromFile = cli({"convert", kGolden + "times/setup.dst", "--source",
                               kGolden + "times/source.txt", "--decimal-separator", "."});
    EXPECT_EQ(fromStdin.out, fromFile.out);
    // The same findings, told of "stdin" instead of the file's path.
    std::string named = fromFile.err;
    const std::string path = kGolden + "times/source.txt";
    for (std::size_t at = named.find(path); at != std::string::npos; at = named.find(path, at)) {
        named.replace(at, path.size(), "stdin");
    }
    EXPECT_NE(named, fromFile.err);
    EXPECT_EQ(fromStdin.err, named);

    options.input = "276001;12.5\r\n276002;123.45\r\n";
    const auto checked = testing::RunProgram(
        KOLVANE_CLI, {"check", kGolden + "decimal-shift/setup.dst", "--source=-"}, options);
    EXPECT_EQ(checked.exitCode, 1) << checked.err;
    EXPECT_TRUE(checked.out.starts_with("stdin: ")) << checked.out;
    EXPECT_TRUE(checked.err.starts_with(
        "stdin:2: column 2 (FATPCT): \"123.45\" cut to 4 characters (\"1234\")\n"))
        << checked.err;

    options.input = "";
    const auto empty = testing::RunProgram(
        KOLVANE_CLI, {"convert", kGolden + "fail-no-lines/setup.dst", "--source", "-"}, options);
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_NE(empty.err.find("kolvane-cli: standard input: "), std::string::npos) << empty.err;
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"tmp"});
    EXPECT_TRUE(fs::is_empty(folder.path("tmp")));
}

TEST(CliConvert, EarlierLayoutIsReadWithItsOption) {
    testing::TempFolder folder;
    const std::string setup = folder.write(
        "old.dst",
        "@\r\nskipped\r\n;\r\nx\r\n0\r\nx\r\n0\r\nx\r\nddmmaa\r\nx\r\n0\r\n"
        "DH00000000000000080\r\nVH000000DD      \r\nDN00000000900080150\r\n//\r\nx\r\n"
        "ANIMALID;900080;900080;15;0;15;0;0;0;0; \r\nx\r\nNO IMPORTAR;;;;;;;0;0;0; \r\nx\r\n"
        "//\r\nx\r\nx\r\nx\r\nCeros=0\r\nx\r\nEncadenadas=0\r\nx\r\nERREXIT=0\r\nx\r\n"
        "ERROK=0\r\nx\r\nInit=1\r\n");
    const std::string source = folder.write("in.txt", "DE01;x\r\n");
    auto result = cli({"convert", setup, "--old-layout", "--source", source});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "fN init=1\r\nDH00000000000000080\r\nVH000000DD      \r\n"
                          "DN00000000900080150\r\nVN000000DE01           \r\nZN\r\n");
    result = cli({"convert", setup, "--source", source}); // read as the current layout: broken
    EXPECT_EQ(result.exitCode, 2);
}

TEST(CliConvert, IndexWarningsGoToStandardErrorAndTheConversionGoesOn) {
    testing::TempFolder folder;
    const std::string setup = folder.write(
        "milk.dst",
        "@\r\n\r\n\r\n//\r\n\r\n@;\r\n\r\n0\r\n\r\n0\r\n\r\ndd-mm-aa\r\n\r\n0\r\n\r\n\r\n//\r\n\r\n"
        " 0 \r\n 0 \r\nDH00000000000000080\r\nVH000000DD      \r\nDN00000000800044030\r\n//\r\n\r\n"
        "MILKKG;800044;    900080;03;0;3;0;0;0;0; ; "
        "\r\n\r\n//\r\n\r\n//\r\n\r\n0=0\r\n\r\n1=0\r\n\r\n"
        "2=0\r\n\r\n3=0\r\n\r\n4=0\r\n\r\n//\r\n\r\n");
    const std::string source = folder.write("in.txt", "25\r\n");
    const auto result = cli({"convert", setup, "--source", source});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.err.find("The code MILKKG needs the code     900080 as an index"),
              std::string::npos)
        << result.err;
    EXPECT_TRUE(result.out.ends_with("VN00000025 \r\nZN\r\n"));
}

} // namespace
} // namespace kolvane
