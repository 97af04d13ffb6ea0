// SPDX-License-Identifier: MIT
#include "runner/RunnerCommandLine.h"

#include "gui/Dialogs.h"

#include <gtest/gtest.h>

namespace kolvane {
namespace {

using Words = std::vector<std::string>;

TEST(RunnerCommandLine, SplitsAtBlanksAndTabsWithoutQuoting) {
    EXPECT_EQ(GetCommandLine("  -d\t-c   C:\\auto\\milk_test.dst "),
              (Words{"-d", "-c", "C:\\auto\\milk_test.dst"}));
    EXPECT_EQ(GetCommandLine("\"a b\""), (Words{"\"a", "b\""}));
    EXPECT_EQ(GetCommandLine("a b c d e", 3), (Words{"a", "b", "c"}));
    EXPECT_EQ(GetCommandLine(""), Words{});
}

TEST(RunnerCommandLine, SwitchesAndTheDstPath) {
    RunnerArguments parsed = ParseRunnerArguments("-d -c C:\\auto\\milk_test.dst");
    EXPECT_TRUE(parsed.startWithoutConfirmation);
    EXPECT_TRUE(parsed.closeWithoutConfirmation);
    EXPECT_EQ(parsed.dstPath, "C:\\auto\\milk_test.dst");
    EXPECT_TRUE(parsed.namesDstFile());

    parsed = ParseRunnerArguments("C:\\auto\\milk test.dst"); // falls apart at the blank
    EXPECT_EQ(parsed.dstPath, "test.dst");
    EXPECT_TRUE(parsed.namesDstFile());

    EXPECT_FALSE(ParseRunnerArguments("C:\\auto\\milk.DST").namesDstFile());
    parsed = ParseRunnerArguments("-d -c x y.dst"); // four arguments: no path
    EXPECT_EQ(parsed.dstPath, "");
    EXPECT_FALSE(parsed.namesDstFile());
    parsed = ParseRunnerArguments("-d x.dst");
    EXPECT_TRUE(parsed.startWithoutConfirmation);
    EXPECT_FALSE(parsed.closeWithoutConfirmation);
    EXPECT_FALSE(ParseRunnerArguments("-D x.dst").startWithoutConfirmation);
    EXPECT_FALSE(ParseRunnerArguments("").any());
}

TEST(FileFilters, PipeSeparatedBecomeQtFilters) {
    EXPECT_EQ(QtFileFilter(QStringLiteral("Todos los archivos (*.*)|*.*")),
              QStringLiteral("Todos los archivos (*.*)"));
    EXPECT_EQ(QtFileFilter(QStringLiteral("Todos los archivos (*.dst)|*.dst")),
              QStringLiteral("Todos los archivos (*.dst)"));
    EXPECT_EQ(QtFileFilter(QStringLiteral("(*.*)|*.*")), QStringLiteral("(*.*)"));
    EXPECT_EQ(QtFileFilter(QStringLiteral("Import setup file (*.dst)|*.dst|All|*.*")),
              QStringLiteral("Import setup file (*.dst);;All (*.*)"));
    EXPECT_EQ(QtFileFilter(QStringLiteral("Program| *.exe")), QStringLiteral("Program (*.exe)"));
}

} // namespace
} // namespace kolvane
