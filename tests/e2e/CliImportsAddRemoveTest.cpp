// SPDX-License-Identifier: MIT
// kolvane-cli imports add and remove: setups registered by path (relative
// ones resolved against the current folder), named again by number or path,
// the batch file written as the converter's wizard writes it. The program runs
// from a copy in the test's folder, so that its batch files land there.
#include "tests/support/Process.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace kolvane {
namespace {

namespace fs = std::filesystem;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

const std::string kSetup =
    readFile(std::string(KOLVANE_SOURCE_DIR) + "/examples/testday/setup.dst");
const std::string kDescription = "Test-day results of the milk recording (one line per cow)";

class CliImports : public ::testing::Test {
protected:
    CliImports() {
        fs::create_directories(program);
        fs::copy_file(KOLVANE_CLI, program + "/kolvane-cli");
        milk = folder.write("farm/milk.dst", kSetup);
        fat = folder.write("farm/fat.dst", kSetup);
    }

    // Run in `workingFolder` (the farm folder unless told).
    testing::ProcessResult cli(const std::vector<std::string>& arguments,
                               const std::string& workingFolder = {}) {
        testing::ProcessOptions options;
        options.environment["KOLVANE_REGISTRY"] = folder.path("registry.reg");
        options.workingDirectory = workingFolder.empty() ? folder.path("farm") : workingFolder;
        return testing::RunProgram(program + "/kolvane-cli", arguments, options);
    }
    std::string listed() { return cli({"imports", "list"}).out; }

    testing::TempFolder folder;
    std::string program = folder.path("program");
    std::string milk;
    std::string fat;
};

TEST_F(CliImports, RelativePathsAreRegisteredOnceAsFullPaths) {
    auto result = cli({"imports", "add", "milk.dst"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "kolvane-cli: registered " + milk + " as automatic import 1\n");
    result = cli({"imports", "add", "../farm/./milk.dst"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("already registered as automatic import 1"), std::string::npos)
        << result.err;
    EXPECT_EQ(cli({"imports", "add", fat}, program).exitCode, 0);
    EXPECT_EQ(listed(),
              "1  " + milk + "  " + kDescription + "\n2  " + fat + "  " + kDescription + "\n");
    EXPECT_EQ(folder.entries(),
              (std::vector<std::string>{"farm", "program", "registry.reg", "registry.reg.lock"}));
    EXPECT_FALSE(fs::exists(program + "/milk.sh")); // only with --batch-file
}

TEST_F(CliImports, RemoveTakesTheNumberOrThePathAndKeepsTheSetupFile) {
    for (const std::string& setup : {milk, fat}) {
        ASSERT_EQ(cli({"imports", "add", setup}).exitCode, 0);
    }
    auto result = cli({"imports", "remove", "3"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("no automatic import number 3; they are numbered 1 to 2"),
              std::string::npos)
        << result.err;

    result = cli({"imports", "remove", "1"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "kolvane-cli: removed the automatic import 1 (" + milk +
                              "); its setup file is kept\n");
    EXPECT_EQ(readFile(milk), kSetup);
    EXPECT_EQ(listed(), "1  " + fat + "  " + kDescription + "\n");

    result = cli({"imports", "remove", "milk.dst"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("milk.dst (" + milk + "): not a registered automatic import"),
              std::string::npos)
        << result.err;

    result = cli({"imports", "remove", "fat.dst"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(fs::exists(fat));
    EXPECT_EQ(listed(), "");

    ASSERT_EQ(cli({"imports", "add", fat}).exitCode, 0);
    result = cli({"imports", "remove", "farm/fat.dst", "--delete-file"}, folder.root().string());
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("and deleted its setup file"), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(fat));
    EXPECT_TRUE(fs::exists(milk));
}

TEST_F(CliImports, TheBatchFileIsTheWizardsOneLine) {
    auto result = cli({"imports", "add", "milk.dst", "--batch-file", "-d", "-c"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::string batch = program + "/milk.sh";
    EXPECT_NE(result.err.find("wrote the batch file " + batch), std::string::npos) << result.err;
    EXPECT_EQ(readFile(batch), "exec '" + program + "/Brennick' -d -c '" + milk + "'\n");
    EXPECT_NE(fs::status(batch).permissions() & fs::perms::owner_exec, fs::perms::none);

    // Added again: the batch file is written anew, the list stays as it was.
    result = cli({"imports", "add", milk, "--batch-file", "--close"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(readFile(batch), "exec '" + program + "/Brennick' -c '" + milk + "'\n");
    EXPECT_EQ(listed(), "1  " + milk + "  " + kDescription + "\n");
}

TEST_F(CliImports, WhatCannotBeRegisteredIsRefusedNamingTheFileAndTheProblem) {
    const std::string commaPath = folder.write("farm/milk,fat.dst", kSetup);
    const std::string broken = folder.write("farm/broken.dst", "@\r\n");
    const std::string text = folder.write("farm/notes.txt", kSetup);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {commaPath, commaPath + ": the path of an automatic import cannot hold a comma"},
        {broken, broken + ": line 2: the file ends here"},
        {text, text + ": a setup file's name ends in .dst"},
        {folder.path("farm/gone.dst"),
         folder.path("farm/gone.dst") + ": The file could not be found in the system."},
    };
    for (const auto& [path, problem] : cases) {
        const auto result = cli({"imports", "add", path, "--batch-file"});
        EXPECT_EQ(result.exitCode, 2) << path;
        EXPECT_NE(result.err.find("kolvane-cli: " + problem), std::string::npos) << result.err;
    }
    EXPECT_EQ(listed(), "");
    EXPECT_EQ(fs::directory_iterator(program)->path().filename(), "kolvane-cli"); // no batch file
    EXPECT_EQ(std::distance(fs::directory_iterator(program), fs::directory_iterator()), 1);
}

} // namespace
} // namespace kolvane
