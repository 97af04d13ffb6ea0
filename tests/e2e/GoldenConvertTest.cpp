// SPDX-License-Identifier: MIT
// Golden files: each folder of tests/data/golden holds a setup (setup.dst), a
// source file (source.txt), the ADIS text kolvane-cli must print
// (expected.ads) and case.txt with the extra arguments, the exit status and
// texts that standard error must contain.
#include "tests/support/Process.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace kolvane {
namespace {

namespace fs = std::filesystem;

const fs::path kGoldenFolder = fs::path(KOLVANE_SOURCE_DIR) / "tests/data/golden";

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct GoldenCase {
    std::string name;
    std::vector<std::string> arguments;
    int exitCode = 0;
    std::vector<std::string> stderrTexts;
};

void PrintTo(const GoldenCase& golden, std::ostream* out) {
    *out << golden.name;
}

GoldenCase loadCase(const fs::path& folder) {
    GoldenCase golden;
    golden.name = folder.filename().string();
    std::istringstream lines(readFile(folder / "case.txt"));
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("args: ")) {
            std::istringstream words(line.substr(6));
            for (std::string word; words >> word;) {
                golden.arguments.push_back(word);
            }
        } else if (line.starts_with("exit: ")) {
            golden.exitCode = std::stoi(line.substr(6));
        } else if (line.starts_with("stderr: ")) {
            golden.stderrTexts.push_back(line.substr(8));
        }
    }
    return golden;
}

std::vector<GoldenCase> allCases() {
    std::vector<GoldenCase> cases;
    for (const auto& entry : fs::directory_iterator(kGoldenFolder)) {
        if (entry.is_directory()) {
            cases.push_back(loadCase(entry.path()));
        }
    }
    std::sort(cases.begin(), cases.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });
    return cases;
}

class GoldenConversion : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenConversion, MatchesTheExpectedAdisText) {
    const GoldenCase& golden = GetParam();
    const fs::path folder = kGoldenFolder / golden.name;
    std::vector<std::string> arguments{"convert",
                                       (folder / "setup.dst").string(),
                                       "--source",
                                       (folder / "source.txt").string(),
                                       "--decimal-separator",
                                       "."};
    arguments.insert(arguments.end(), golden.arguments.begin(), golden.arguments.end());
    const auto result = testing::RunProgram(KOLVANE_CLI, arguments);

    EXPECT_EQ(result.exitCode, golden.exitCode) << result.err;
    EXPECT_EQ(result.out, readFile(folder / "expected.ads")) << result.err;
    for (const auto& text : golden.stderrTexts) {
        EXPECT_NE(result.err.find(text), std::string::npos)
            << "standard error lacks \"" << text << "\":\n"
            << result.err;
    }
    if (golden.exitCode == 0) {
        // Values the check finds (the cases' animal numbers "DE01" are no
        // numbers in the code dictionary) are the only lines allowed.
        const std::string source = (folder / "source.txt").string() + ':';
        std::size_t start = 0;
        for (std::size_t end; (end = result.err.find('\n', start)) != std::string::npos;
             start = end + 1) {
            EXPECT_TRUE(std::string_view(result.err).substr(start).starts_with(source))
                << "a clean conversion prints only findings on standard error:\n"
                << result.err;
        }
        EXPECT_EQ(start, result.err.size()) << result.err;
    }
}

INSTANTIATE_TEST_SUITE_P(Golden, GoldenConversion, ::testing::ValuesIn(allCases()),
                         [](const auto& testInfo) {
                             std::string name = testInfo.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
} // namespace kolvane
