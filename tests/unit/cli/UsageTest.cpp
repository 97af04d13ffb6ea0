// SPDX-License-Identifier: MIT
#include "cli/Usage.h"

#include "cli/Command.h"

#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace kolvane::cli {
namespace {

TEST(Usage, CommandHelpListsEveryArgumentAndOptionOnALineOfItsOwn) {
    const CommandDefinition convert{
        .name = "convert",
        .summary = "converts a saved setup.",
        .positionals = {{.name = "SETUP.dst", .help = "the saved setup"}},
        .options = {
            {.name = "output", .shortName = 'o', .valueName = "FILE", .help = "the ADIS file"},
            {.name = "language", .valueName = "L", .help = "the language", .choices = {"SP", "EN"}},
            {.name = "old-layout", .help = "the earlier layout"}}};
    EXPECT_EQ(CommandHelp(convert, "kolvane-cli convert"),
              "Usage: kolvane-cli convert SETUP.dst [-o|--output FILE] [--language SP|EN]\n"
              "                           [--old-layout]\n"
              "\n"
              "Converts a saved setup.\n"
              "\n"
              "Arguments:\n"
              "  SETUP.dst             the saved setup\n"
              "Options:\n"
              "  -o, --output FILE     the ADIS file\n"
              "      --language SP|EN  the language\n"
              "      --old-layout      the earlier layout\n"
              "  -h, --help            prints this help\n");

    const CommandDefinition imports{
        .name = "imports",
        .summary = "lists or removes automatic imports.",
        .subcommands = {
            {.name = "list", .summary = "lists them"},
            {.name = "remove", .summary = "removes one", .positionals = {{.name = "SETUP.dst"}}}}};
    EXPECT_EQ(CommandHelp(imports, "kolvane-cli imports"),
              "Usage: kolvane-cli imports list\n"
              "       kolvane-cli imports remove SETUP.dst\n"
              "\n"
              "Lists or removes automatic imports.\n"
              "\n"
              "Commands:\n"
              "  list              lists them\n"
              "  remove SETUP.dst  removes one\n"
              "Options:\n"
              "  -h, --help        prints this help\n");
}

TEST(Usage, WordsWrapUnderTheFirstWordAndAreNeverCut) {
    EXPECT_EQ(Wrap("convert  ", WordsOf("converts the  source file"), 20),
              "convert   converts\n          the source\n          file");
    EXPECT_EQ(Wrap("", {"a-very-long-word", "b"}, 5), "a-very-long-word\nb");
}

TEST(Usage, UsageErrorsTakeTwoLines) {
    EXPECT_EQ(UsageErrorText("unknown option --bogus", "kolvane-cli convert"),
              "kolvane-cli: unknown option --bogus\nTry 'kolvane-cli convert --help'.\n");
}

void expectLinesFit(const std::string& text) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_LE(line.size(), kHelpWidth) << line;
    }
}

// Every option of a real command can be reached (no name taken twice, none
// hiding --help), is explained, and its help fits a terminal.
void checkTable(const CommandDefinition& command, const std::string& invokedAs) {
    const std::string help = CommandHelp(command, invokedAs);
    expectLinesFit(help);
    std::set<std::string> names = {"--help", "-h"};
    for (const OptionDefinition& option : command.options) {
        EXPECT_TRUE(names.insert("--" + option.name).second) << invokedAs << " --" << option.name;
        if (option.shortName != 0) {
            EXPECT_TRUE(names.insert(std::string{'-', option.shortName}).second) << option.name;
        }
        EXPECT_NE(option.help, "") << invokedAs << " --" << option.name;
        EXPECT_NE(help.find(" --" + option.name), std::string::npos) << option.name;
    }
    for (const CommandDefinition& subcommand : command.subcommands) {
        checkTable(subcommand, invokedAs + ' ' + subcommand.name);
    }
}

TEST(Usage, KolvaneCliTablesAreSound) {
    const std::vector<Command> commands = KolvaneCliCommands();
    expectLinesFit(ProgramHelp(commands));
    for (const Command& command : commands) {
        checkTable(command.definition, "kolvane-cli " + command.definition.name);
    }
}

} // namespace
} // namespace kolvane::cli
