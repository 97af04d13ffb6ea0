// SPDX-License-Identifier: MIT
// Whole programs against the stand-in herd software in a sandbox: Brennick and
// kolvane-cli run from a temporary copy of the program folder.
#include "tests/support/HerdsimSandbox.h"
#include "tests/support/Process.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace kolvane {
namespace {

namespace fs = std::filesystem;

const std::string kGoodSource = "Animal;Date;Milk;Cells\r\n"
                                "276000912345678;03-12-26;31,4;120\r\n"
                                "276000912345679;04-12-26;28,9;85\r\n"
                                "276000912345680;04-12-26;19,0;240\r\n";
const std::string kBadSource = "Animal;Date;Milk;Cells\r\n"
                               "276000912345678;03-12-26;31,4;12x\r\n"
                               "276000912345679;31-02-26;28,9;85\r\n";

class EndToEnd : public ::testing::Test {
protected:
    explicit EndToEnd(const std::string& installName = "hx")
        : sandbox(HERDSIM_INSTALL, installName) {}

    testing::HerdsimSandbox sandbox;

    // The program copied into the sandbox's program folder, so that its files land there.
    std::string installed(const std::string& program) const {
        const fs::path target = fs::path(sandbox.programFolder()) / fs::path(program).filename();
        if (!fs::exists(target)) {
            fs::copy_file(program, target);
        }
        return target.string();
    }
    testing::ProcessResult run(const std::string& program,
                               const std::vector<std::string>& arguments) {
        testing::ProcessOptions options;
        options.environment = sandbox.environment();
        return testing::RunProgram(installed(program), arguments, options);
    }
    std::string setupFor(const std::string& source) {
        return sandbox.writeMilkSetup("milk.dst", sandbox.writeSource("milk.txt", source));
    }
};

TEST_F(EndToEnd, BrennickImportsUnattendedAndExitsZero) {
    const auto result = run(BRENNICK, {"-d", "-c", setupFor(kGoodSource)});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(sandbox.importedRecords(), 3);
    const std::string adis = sandbox.folder().read("program/adis.ads");
    EXPECT_TRUE(adis.starts_with("fN errok=1\r\nDH00000000000000080\r\n"));
    EXPECT_TRUE(adis.ends_with("\r\nZN\r\n"));
    EXPECT_TRUE(sandbox.folder().read("hx/HXDataExchange.ads").find("ZN") != std::string::npos);
}

TEST_F(EndToEnd, RunCommandExitCodesForEachOutcome) {
    auto result = run(KOLVANE_CLI, {"run", setupFor(kGoodSource)});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "The import finished without errors or warnings.\n");
    EXPECT_EQ(sandbox.importedRecords(), 3);

    result = run(KOLVANE_CLI, {"run", setupFor(kBadSource)});
    EXPECT_EQ(result.exitCode, 3) << result.err;
    EXPECT_NE(result.out.find("00900047"), std::string::npos) << result.out; // the bad cell count
    EXPECT_NE(result.out.find("00900032"), std::string::npos) << result.out; // the 31 February

    result = run(KOLVANE_CLI, {"run", setupFor("h\r\n1;2;3;4\r\n1;2;3;4;5\r\n")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("more columns than the first line"), std::string::npos) << result.err;

    result = run(KOLVANE_CLI, {"run", sandbox.folder().path("missing.dst")});
    EXPECT_EQ(result.exitCode, 2);

    fs::remove(sandbox.installFolder() + "/HXDataExchange.exe");
    result = run(KOLVANE_CLI, {"run", setupFor(kGoodSource)});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("could not be started"), std::string::npos) << result.err;
}

TEST_F(EndToEnd, RunCanStopAfterTheAdisFile) {
    const std::string output = sandbox.folder().path("out.ads");
    const auto result =
        run(KOLVANE_CLI, {"run", setupFor(kGoodSource), "--no-import", "-o", output});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(fs::exists(output));
    EXPECT_EQ(sandbox.importedRecords(), 0);
    EXPECT_EQ(run(KOLVANE_CLI, {"run", setupFor(kGoodSource), "-o", output}).exitCode, 2);
}

TEST_F(EndToEnd, CodesAreRefilledFromTheHerdSoftware) {
    const std::string database = sandbox.folder().path("CodigosAds.db");
    fs::copy_file(SHIPPED_DICTIONARY, database);
    auto result = run(KOLVANE_CLI, {"codes", "--import", "--database", database});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("76 codes stored"), std::string::npos) << result.err;
    result = run(KOLVANE_CLI, {"codes", "MILKKG", "--database", database});
    EXPECT_NE(result.out.find("    800044"), std::string::npos) << result.out;
}

// Herd software installed where a user may well put it: a folder name with a
// blank and a letter outside ASCII. The importer and the automation server
// must both be started from there.
class EndToEndInAFolderWithABlank : public EndToEnd {
protected:
    EndToEndInAFolderWithABlank() : EndToEnd("Herd Software/M\xC3\xBCller") {}
};

TEST_F(EndToEndInAFolderWithABlank, RunImportsAndCodesAreRefilled) {
    auto result = run(KOLVANE_CLI, {"run", setupFor(kGoodSource)});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "The import finished without errors or warnings.\n");
    EXPECT_EQ(sandbox.importedRecords(), 3);
    EXPECT_TRUE(fs::exists(sandbox.installFolder() + "/HXDataExchange.ads"));

    const std::string database = sandbox.folder().path("CodigosAds.db");
    fs::copy_file(SHIPPED_DICTIONARY, database);
    result = run(KOLVANE_CLI, {"codes", "--import", "--database", database});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("76 codes stored"), std::string::npos) << result.err;
}

} // namespace
} // namespace kolvane
