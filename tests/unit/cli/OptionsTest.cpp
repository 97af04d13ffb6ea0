// SPDX-License-Identifier: MIT
#include "cli/Options.h"

#include <gtest/gtest.h>

namespace kolvane::cli {
namespace {

using Arguments = std::vector<std::string>;

class OptionsTest : public ::testing::Test {
protected:
    const CommandDefinition convert{
        .name = "convert",
        .positionals = {{.name = "SETUP.dst"}},
        .options = {{.name = "source", .valueName = "FILE"},
                    {.name = "output", .shortName = 'o', .valueName = "FILE"},
                    {.name = "language", .choices = {"SP", "EN", "DE", "FR"}},
                    {.name = "old-layout"}}};
    const CommandDefinition codes{.name = "codes",
                                  .positionals = {{.name = "TEXT", .optional = true}}};
    const CommandDefinition imports{
        .name = "imports",
        .subcommands = {{.name = "list"},
                        {.name = "remove", .positionals = {{.name = "SETUP.dst"}}}}};

    static ParseOutcome parse(const CommandDefinition& definition, const Arguments& arguments) {
        return ParseCommandLine(definition, arguments);
    }
};

TEST_F(OptionsTest, ValuesFollowAnEqualsSignOrComeAsTheNextArgument) {
    auto outcome =
        parse(convert, {"a.dst", "--source=in.txt", "-o", "-", "--language", "DE", "--old-layout"});
    EXPECT_EQ(outcome.error, "");
    EXPECT_EQ(outcome.arguments.positionals, Arguments{"a.dst"});
    EXPECT_EQ(outcome.arguments.value("source"), "in.txt");
    EXPECT_EQ(outcome.arguments.value("output"), "-");
    EXPECT_EQ(outcome.arguments.value("language"), "DE");
    EXPECT_TRUE(outcome.arguments.has("old-layout"));
    EXPECT_EQ(outcome.arguments.value("old-layout"), "");

    // Only the first "=" splits; the value given last counts; a value may be empty.
    outcome = parse(convert, {"--output=a=b.ads", "--source", "first.txt", "a.dst",
                              "--source=last.txt", "--language=FR"});
    EXPECT_EQ(outcome.error, "");
    EXPECT_EQ(outcome.arguments.value("output"), "a=b.ads");
    EXPECT_EQ(outcome.arguments.value("source"), "last.txt");
    EXPECT_EQ(outcome.arguments.value("language"), "FR");
    EXPECT_FALSE(outcome.arguments.has("old-layout"));
    EXPECT_EQ(outcome.arguments.value("old-layout"), std::nullopt);
    EXPECT_EQ(parse(convert, {"a.dst", "--source="}).arguments.value("source"), "");
}

TEST_F(OptionsTest, TheFirstFaultIsTold) {
    const std::vector<std::pair<Arguments, std::string>> cases = {
        {{"a.dst", "--source"}, "--source needs a value"},
        {{"a.dst", "-o"}, "-o needs a value"},
        {{"a.dst", "--bogus"}, "unknown option --bogus"},
        {{"a.dst", "--bogus=1"}, "unknown option --bogus"},
        {{"a.dst", "-x"}, "unknown option -x"},
        {{"a.dst", "--old-layout=1"}, "--old-layout takes no value"},
        {{"a.dst", "--language", "IT"}, R"(--language takes "SP", "EN", "DE" or "FR", not "IT")"},
        {{"a.dst", "--language=de"}, R"(--language takes "SP", "EN", "DE" or "FR", not "de")"},
        {{}, "SETUP.dst is missing"},
        {{"--old-layout"}, "SETUP.dst is missing"},
        {{"a.dst", "b.dst"}, "unexpected argument b.dst"},
        {{"--bogus", "a.dst", "b.dst", "-o"}, "unknown option --bogus"},
    };
    for (const auto& [arguments, error] : cases) {
        const ParseOutcome outcome = parse(convert, arguments);
        EXPECT_EQ(outcome.error, error) << ::testing::PrintToString(arguments);
        EXPECT_FALSE(outcome.helpAsked);
    }
}

TEST_F(OptionsTest, PositionalsAreCountedAgainstTheTable) {
    EXPECT_EQ(parse(codes, {}).error, "");
    EXPECT_EQ(parse(codes, {"milk"}).arguments.positionals, Arguments{"milk"});
    EXPECT_EQ(parse(codes, {"milk", "kg"}).error, "unexpected argument kg");
    // "-" on its own and everything after "--" are positionals.
    EXPECT_EQ(parse(codes, {"-"}).arguments.positionals, Arguments{"-"});
    const ParseOutcome outcome = parse(codes, {"--", "-x"});
    EXPECT_EQ(outcome.error, "");
    EXPECT_EQ(outcome.arguments.positionals, Arguments{"-x"});
}

TEST_F(OptionsTest, HelpWinsOverFaultsUnlessItIsAValue) {
    for (const auto& arguments : std::vector<Arguments>{{"-h"}, {"--bogus", "--help", "b", "c"}}) {
        const ParseOutcome outcome = parse(convert, arguments);
        EXPECT_TRUE(outcome.helpAsked) << ::testing::PrintToString(arguments);
        EXPECT_EQ(outcome.command, &convert);
    }
    const ParseOutcome outcome = parse(convert, {"a.dst", "--source", "--help"});
    EXPECT_FALSE(outcome.helpAsked);
    EXPECT_EQ(outcome.arguments.value("source"), "--help");
}

TEST_F(OptionsTest, SubcommandsAreChosenByTheFirstArgument) {
    auto outcome = parse(imports, {"list"});
    EXPECT_EQ(outcome.error, "");
    EXPECT_EQ(outcome.arguments.command, (Arguments{"imports", "list"}));
    EXPECT_EQ(outcome.command, &imports.subcommands[0]);

    outcome = parse(imports, {"remove", "a.dst"});
    EXPECT_EQ(outcome.error, "");
    EXPECT_EQ(outcome.arguments.positionals, Arguments{"a.dst"});

    outcome = parse(imports, {"remove", "--help"});
    EXPECT_TRUE(outcome.helpAsked);
    EXPECT_EQ(outcome.command, &imports.subcommands[1]);
    EXPECT_TRUE(parse(imports, {"--help"}).helpAsked);

    EXPECT_EQ(parse(imports, {}).error, "imports needs list or remove");
    EXPECT_EQ(parse(imports, {"frob"}).error, "unknown imports command frob (list or remove)");
    EXPECT_EQ(parse(imports, {"--all"}).error, "unknown option --all");
    EXPECT_EQ(parse(imports, {"list", "extra"}).error, "unexpected argument extra");
    outcome = parse(imports, {"remove"});
    EXPECT_EQ(outcome.error, "SETUP.dst is missing");
    EXPECT_EQ(outcome.arguments.command, (Arguments{"imports", "remove"}));
}

} // namespace
} // namespace kolvane::cli
