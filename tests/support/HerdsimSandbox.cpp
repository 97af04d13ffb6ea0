// SPDX-License-Identifier: MIT
#include "tests/support/HerdsimSandbox.h"

#include "storage/DstWriter.h"
#include "tests/support/Process.h"

#include <cstdlib>
#include <filesystem>
#include <sqlite3.h>
#include <stdexcept>

namespace kolvane::testing {

HerdsimSandbox::HerdsimSandbox(const std::string& herdsimInstall, const std::string& installName)
    : installName_(installName) {
    std::filesystem::create_directories(programFolder());
    ProcessOptions options;
    options.environment = environment();
    const ProcessResult installed = RunProgram(herdsimInstall, {installFolder()}, options);
    if (installed.exitCode != 0) {
        throw std::runtime_error("herdsim-install failed: " + installed.err);
    }
}

std::map<std::string, std::string> HerdsimSandbox::environment() const {
    return {{"KOLVANE_REGISTRY", registryPath()}, {"QT_QPA_PLATFORM", "offscreen"}};
}

void HerdsimSandbox::useInThisProcess() const {
    ::setenv("KOLVANE_REGISTRY", registryPath().c_str(), 1);
}

namespace {

ColumnDefinition column(const char* mnemonic, const char* item, const char* width,
                        const char* decimals) {
    ColumnDefinition definition;
    definition.Mnemonic = mnemonic;
    definition.ItemNumber = item;
    definition.RequiredIndex = "900080";
    definition.Width = width;
    definition.Decimals = decimals;
    definition.RecommendedWidth = width;
    definition.RecommendedDecimals = decimals;
    return definition;
}

} // namespace

std::string HerdsimSandbox::writeMilkSetup(const std::string& name, const std::string& sourceLine,
                                           bool askSendDate) const {
    const Language language("EN");
    ImportSetup setup;
    setup.Description = "Milk recording of the morning";
    setup.Separator = ";";
    setup.TopLinesToSkip = 1;
    setup.DateFormatName = "dd-mm-aa";
    setup.AskSendDate = askSendDate;
    setup.OptionErrOK = true;
    ColumnDefinition date = column("TESTDATE", "900032", "08", "0");
    date.IsDate = true;
    ColumnDefinition milk = column("MILKKG", "800044", "03", "1");
    milk.DecimalSeparator = ",";
    ColumnDefinition spare;
    spare.Mnemonic = language.DoNotImportText();
    const ColumnDefinition id = column("ANIMALID", "900080", "15", "0");
    const ColumnDefinition cells = column("CELLCOUNT", "900047", "05", "0");
    // With a send date it stands first, and the file's own date is not imported.
    setup.ColumnTable = askSendDate ? ColumnTable{date, id, spare, milk, cells, spare}
                                    : ColumnTable{id, date, milk, cells, spare};
    const std::string path = folder_.path(name);
    const Status written = WriteDstFile(setup, language, path, sourceLine);
    if (!written.ok()) {
        throw std::runtime_error(written.describe());
    }
    return path;
}

int HerdsimSandbox::importedRecords() const {
    sqlite3* database = nullptr;
    const std::string path = installFolder() + "/herd.db";
    if (sqlite3_open_v2(path.c_str(), &database, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(database);
        return -1;
    }
    sqlite3_stmt* statement = nullptr;
    int count = -1;
    if (sqlite3_prepare_v2(database,
                           "SELECT COUNT(DISTINCT import_id || '/' || record_number) FROM "
                           "record_values",
                           -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        count = sqlite3_column_int(statement, 0);
    }
    sqlite3_finalize(statement);
    sqlite3_close(database);
    return count;
}

} // namespace kolvane::testing
