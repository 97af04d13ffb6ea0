// SPDX-License-Identifier: MIT
#include "cli/ImportEntries.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace kolvane::cli {
namespace {

namespace fs = std::filesystem;

TEST(ImportEntries, ANumberNamesItsPositionAndNothingElse) {
    const AutomationList list = {"/farm/a.dst", "/farm/b.dst"};
    std::string problem;
    EXPECT_EQ(FindImportEntry(list, "2", problem), 2);
    for (const std::string wrong : {"0", "3", "99999999999999999999"}) {
        EXPECT_EQ(FindImportEntry(list, wrong, problem), std::nullopt) << wrong;
        EXPECT_NE(problem.find("numbered 1 to 2"), std::string::npos) << problem;
    }
    EXPECT_EQ(FindImportEntry({}, "1", problem), std::nullopt);
    EXPECT_NE(problem.find("none is registered"), std::string::npos) << problem;
}

TEST(ImportEntries, APathMatchesAsGivenOrResolvedAgainstTheCurrentFolder) {
    const std::string here = fs::current_path().string();
    const AutomationList list = {"/farm/a.dst", here + "/imports/milk.dst", "relative/kept.dst"};
    std::string problem;
    EXPECT_EQ(FindImportEntry(list, "/farm/a.dst", problem), 1);
    EXPECT_EQ(FindImportEntry(list, "/farm/./x/../a.dst", problem), 1);
    EXPECT_EQ(FindImportEntry(list, "imports/milk.dst", problem), 2);
    EXPECT_EQ(FindImportEntry(list, "./imports/../imports/milk.dst", problem), 2);
    EXPECT_EQ(FindImportEntry(list, "relative/kept.dst", problem), 3); // as stored
    EXPECT_EQ(FindImportEntry(list, "milk.dst", problem), std::nullopt);
    EXPECT_NE(problem.find("milk.dst (" + here + "/milk.dst): not a registered automatic import"),
              std::string::npos)
        << problem;
}

TEST(ImportEntries, TheListKeepsFullPathsOfSetupFiles) {
    const std::string here = fs::current_path().string();
    EXPECT_EQ(RegisteredForm("a/../milk.dst"), here + "/milk.dst");
    EXPECT_EQ(RegisteredForm("/farm//x/./milk.dst"), "/farm/x/milk.dst");
    EXPECT_TRUE(CheckSetupFileName("/farm/milk.DST").ok());
    const Status refused = CheckSetupFileName("/farm/milk.txt");
    EXPECT_EQ(refused.code(), ErrorCode::BadSetup);
    EXPECT_EQ(refused.path(), "/farm/milk.txt");
}

} // namespace
} // namespace kolvane::cli
