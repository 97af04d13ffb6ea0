// SPDX-License-Identifier: MIT
// The build tool that embeds the string table and names its messages, run on
// small tables of its own.
#include "tests/support/Process.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace kolvane {
namespace {

constexpr const char* kHeader = "# a comment\nnumber\tname\tSP\tEN\tDE\tFR\n";
constexpr const char* kCommon = "id\ttext\n20\tNew Courier\n";

class StringTableTool : public ::testing::Test {
protected:
    testing::TempFolder folder;

    testing::ProcessResult run(const std::string& rows) {
        folder.write("strings.tsv", std::string(kHeader) + rows);
        folder.write("common.tsv", kCommon);
        return testing::RunProgram(EMBED_STRING_TABLE,
                                   {folder.path("strings.tsv"), folder.path("common.tsv"),
                                    folder.path("data.cpp"), folder.path("Messages.h")});
    }
};

TEST_F(StringTableTool, WritesAConstantForEveryRow) {
    const auto result = run("0\tFileMenu\t&Archivo\t&File\t&Datei\t&Fichier\n"
                            "238\tDateRequired\tEs necesario\tIt's necessary\tEs muss\tIl faut\n");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string header = folder.read("Messages.h");
    EXPECT_NE(header.find("namespace kolvane::msg {\n"
                          "inline constexpr int FileMenu = 0;\n"
                          "inline constexpr int DateRequired = 238;\n"
                          "} // namespace kolvane::msg\n"),
              std::string::npos)
        << header;
    EXPECT_NE(folder.read("data.cpp").find("kStringTableTsv[]"), std::string::npos);
}

TEST_F(StringTableTool, LeavesAnUnchangedHeaderAlone) {
    const std::string row = "5\tMenuSaveAs\tGuardar\tSave as\tSpeichern\tEnregistrer\n";
    ASSERT_EQ(run(row).exitCode, 0);
    const auto path = folder.root() / "Messages.h";
    const auto written = std::filesystem::last_write_time(path) - std::chrono::hours(1);
    std::filesystem::last_write_time(path, written);
    ASSERT_EQ(run("5\tMenuSaveAs\tGuardar\tSave as...\tSpeichern\tEnregistrer\n").exitCode, 0);
    EXPECT_EQ(std::filesystem::last_write_time(path), written); // only a text changed
    ASSERT_EQ(run("5\tSaveAsMenu\tGuardar\tSave as\tSpeichern\tEnregistrer\n").exitCode, 0);
    EXPECT_NE(std::filesystem::last_write_time(path), written);
    EXPECT_NE(folder.read("Messages.h").find("SaveAsMenu = 5;"), std::string::npos);
}

TEST_F(StringTableTool, RefusesBadNamesWithTheLine) {
    const std::string good = "1\tMenuNew\tNuevo\tNew\tNeu\tNouveau\n";
    const std::pair<std::string, std::string> cases[] = {
        {"1\tmenuNew\tNuevo\tNew\tNeu\tNouveau\n", "strings.tsv:3: the name \"menuNew\" is not"},
        {"1\tMenu-New\tNuevo\tNew\tNeu\tNouveau\n", "strings.tsv:3: the name \"Menu-New\" is not"},
        {"1\t2New\tNuevo\tNew\tNeu\tNouveau\n", "strings.tsv:3: the name \"2New\" is not"},
        {"1\t\tNuevo\tNew\tNeu\tNouveau\n", "strings.tsv:3: the name \"\" is not"},
        {"1\tMenu New\tNuevo\tNew\tNeu\tNouveau\n", "strings.tsv:3: the name \"Menu New\" is not"},
        {good + "2\tMenuNew\tAbrir\tOpen\tÖffnen\tOuvrir\n",
         "strings.tsv:4: the name \"MenuNew\" is already given on line 3"},
        {"1\tNuevo\tNew\tNeu\tNouveau\n", "strings.tsv:3: expected 6 fields"},
    };
    for (const auto& [rows, expected] : cases) {
        std::filesystem::remove(folder.root() / "Messages.h");
        const auto result = run(rows);
        EXPECT_EQ(result.exitCode, 1) << rows;
        EXPECT_NE(result.err.find(expected), std::string::npos) << result.err;
        EXPECT_FALSE(std::filesystem::exists(folder.root() / "Messages.h")) << rows;
    }
}

} // namespace
} // namespace kolvane
