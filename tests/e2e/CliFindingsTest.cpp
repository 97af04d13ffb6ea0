// SPDX-License-Identifier: MIT
// Wrong values on kolvane-cli's standard error: convert's finding lines, the
// bound on them, --strict, and check's exit statuses.
#include "tests/support/Process.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace kolvane {
namespace {

// Animal (index item, a number in the code dictionary) and a fat percentage
// with separator "." and two decimals in four characters.
const std::string kSetup =
    std::string(KOLVANE_SOURCE_DIR) + "/tests/data/golden/decimal-shift/setup.dst";

testing::ProcessResult cli(const std::vector<std::string>& arguments) {
    return testing::RunProgram(KOLVANE_CLI, arguments);
}

std::size_t linesOf(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(CliFindings, ConvertTellsEachWrongValueAndStillWritesTheFile) {
    testing::TempFolder folder;
    const std::string source =
        folder.write("in.txt", "276001;12.5\r\n276002;123.45\r\n;7\r\n276004;12,3\r\n");
    const auto result = cli({"convert", kSetup, "--source", source, "-o", folder.path("out.ads")});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(folder.read("out.ads"), "");
    const std::string expected =
        source + ":2: column 2 (FATPCT): \"123.45\" cut to 4 characters (\"1234\")\n" + source +
        ":3: warning: column 1 (ANIMALID): empty index value\n" + source +
        ":4: column 2 (FATPCT): \"12,3\" is not a number\n" + source +
        ":4: column 2 (FATPCT): \"12,3\" cut to 4 characters (\"12,3\")\n" + source +
        ": 2 values cut (2 errors, 0 warnings)\n" + source +
        ": 1 value that is not a number (1 error, 0 warnings)\n" + source +
        ": 1 empty index value (0 errors, 1 warning)\n";
    EXPECT_TRUE(result.err.starts_with(expected)) << result.err;

    const auto german = cli({"check", kSetup, "--source", source, "--language", "DE"});
    EXPECT_NE(german.err.find(":3: Warnung: Spalte 1 (ANIMALID): leerer Indexwert\n"),
              std::string::npos)
        << german.err;
}

TEST(CliFindings, AtMostTwentyLinesThenTheCountsByKind) {
    testing::TempFolder folder;
    std::string rows;
    for (int r = 0; r < 30; ++r) {
        rows += "27600" + std::to_string(r) + ";99.999\r\n"; // 10000: five digits in four
    }
    const std::string source = folder.write("in.txt", rows);
    const auto result = cli({"check", kSetup, "--source", source});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(linesOf(result.err), 22u) << result.err;
    EXPECT_NE(result.err.find("\n... and 10 more\n" + source +
                              ": 30 values cut (30 errors, 0 warnings)\n"),
              std::string::npos)
        << result.err;
}

TEST(CliFindings, StrictWritesNothingWhenAValueIsAnError) {
    testing::TempFolder folder;
    const std::string bad = folder.write("bad.txt", "276001;123.45\r\n");
    const std::string warned = folder.write("warned.txt", "276001;12.5\r\n;7\r\n");

    auto result = cli({"convert", kSetup, "--source", bad, "--strict"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("nothing was written"), std::string::npos) << result.err;

    result = cli({"convert", kSetup, "--source", bad, "--strict", "-o", folder.path("x.ads")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(folder.path("x.ads")));

    // Warnings do not stop a strict conversion.
    result = cli({"convert", kSetup, "--source", warned, "--strict"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(result.out.starts_with("DH")) << result.out;
}

TEST(CliFindings, CheckExitsByTheWorstFindingAndWritesNothing) {
    testing::TempFolder folder;
    const std::vector<std::pair<std::string, int>> cases = {
        {"276001;12.5\r\n", 0}, {"276001;12.5\r\n;7\r\n", 3}, {"276001;1x\r\n;7\r\n", 1}};
    for (const auto& [rows, exitCode] : cases) {
        const std::string source = folder.write("in.txt", rows);
        const auto result = cli({"check", kSetup, "--source", source});
        EXPECT_EQ(result.exitCode, exitCode) << rows << result.err;
        EXPECT_EQ(result.out, source + ": Encoding of the file: Windows-1252 (ANSI)\n");
        EXPECT_EQ(result.err.empty(), exitCode == 0) << result.err;
    }
    EXPECT_EQ(cli({"check", "/no/such/setup.dst"}).exitCode, 2);
}

// A UTF-8 export is read in the herd software's code page: its letters are
// whole, and one the code page has not is a warning on its line.
TEST(CliFindings, AUtf8SourceIsReadInTheCodePageAndNamed) {
    testing::TempFolder folder;
    const std::string source = folder.write("utf8.txt", "\xEF\xBB\xBF"
                                                        "276001;12.5\r\n276002;1\xCE\xA9\r\n");
    const auto result = cli({"check", kSetup, "--source", source});
    EXPECT_EQ(result.out, source + ": Encoding of the file: UTF-8 with byte order mark\n");
    EXPECT_NE(result.err.find(
                  source + ":2: warning: letters without an ANSI equivalent were written as ?\n"),
              std::string::npos)
        << result.err;
    const auto converted = cli({"convert", kSetup, "--source", source});
    EXPECT_NE(converted.out.find("\r\nVN000000276001"), std::string::npos) << converted.out;
}

} // namespace
} // namespace kolvane
