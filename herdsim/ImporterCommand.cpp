// SPDX-License-Identifier: MIT
// The command line of HXDataExchange.exe: import or summary.
#include "herdsim/ImporterCommand.h"

#include "herdsim/AdisSummary.h"
#include "herdsim/HerdDatabase.h"
#include "herdsim/ResultFile.h"
#include "storage/AtomicFile.h"

#include <filesystem>
#include <fstream>

namespace herdsim {
namespace {

using kolvane::Status;

constexpr const char* kUsage =
    "Usage: HXDataExchange.exe -a PATH   import PATH.ads into the herd database\n"
    "       HXDataExchange.exe PATH      show what PATH.ads holds\n"
    "PATH is the ADIS file without its extension \".ads\".\n";

std::string adisPath(const std::string& argument) {
    std::error_code ec;
    const std::string withExtension = argument + ".ads";
    if (!std::filesystem::exists(withExtension, ec) &&
        std::filesystem::is_regular_file(argument, ec)) {
        return argument;
    }
    return withExtension;
}

// Empty when the file can be read, else why not.
std::string unreadableReason(const std::string& path, std::ifstream& in) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        return "The file does not exist.";
    }
    if (!std::filesystem::is_regular_file(path, ec)) {
        return "This is not a file.";
    }
    return in.is_open() ? std::string{} : "The file cannot be opened for reading.";
}

class ImportCommand {
public:
    ImportCommand(std::string adisFile, const std::string& installFolder, std::string startedAt,
                  std::ostream& out, std::ostream& err)
        : adisFile_(std::move(adisFile)),
          resultFile_((std::filesystem::path(installFolder) / kResultFileName).string()),
          databaseFile_((std::filesystem::path(installFolder) / kHerdDatabaseName).string()),
          startedAt_(std::move(startedAt)), out_(out), err_(err) {}

    int run();

private:
    int couldNotRun(const std::string& reason);
    int writeResult(const ImportReport& report, int exitCode);

    std::string adisFile_;
    std::string resultFile_;
    std::string databaseFile_;
    std::string startedAt_;
    std::ostream& out_;
    std::ostream& err_;
};

int ImportCommand::run() {
    std::ifstream in(adisFile_, std::ios::binary);
    if (const std::string reason = unreadableReason(adisFile_, in); !reason.empty()) {
        return couldNotRun(reason);
    }
    std::unique_ptr<HerdDatabase> database;
    ImportReport report;
    report.file = adisFile_;
    report.startedAt = startedAt_;
    std::unique_ptr<ImportTransaction> transaction;
    Status status = HerdDatabase::Open(databaseFile_, database);
    if (status.ok()) {
        status = ImportTransaction::Begin(*database, report, transaction);
    }
    if (status.ok()) {
        status = RunImport(in, CodeList::Seed(), *transaction, report);
    }
    if (status.ok()) {
        status = transaction->commit(report);
    }
    if (!status.ok()) {
        return couldNotRun(status.describe());
    }
    out_ << "Imported " << report.counts.recordsImported << " of " << report.counts.recordsRead
         << " records from " << adisFile_ << "; errors: " << report.errors()
         << ", warnings: " << report.warnings() << "\n";
    return writeResult(report, kExitOk);
}

int ImportCommand::couldNotRun(const std::string& reason) {
    err_ << "HXDataExchange.exe: " << adisFile_ << ": " << reason << "\n";
    writeResult(CouldNotRunReport(adisFile_, startedAt_, reason), kExitCouldNotRun);
    return kExitCouldNotRun;
}

int ImportCommand::writeResult(const ImportReport& report, int exitCode) {
    const Status written = kolvane::WriteFileAtomically(resultFile_, FormatResultFile(report));
    if (!written.ok()) {
        err_ << "HXDataExchange.exe: " << written.describe() << "\n";
        return kExitCouldNotRun;
    }
    out_ << "Result file: " << resultFile_ << "\n";
    return exitCode;
}

int showSummary(const std::string& adisFile, std::ostream& out, std::ostream& err) {
    std::ifstream in(adisFile, std::ios::binary);
    if (const std::string reason = unreadableReason(adisFile, in); !reason.empty()) {
        err << "HXDataExchange.exe: " << adisFile << ": " << reason << "\n";
        return kExitCouldNotRun;
    }
    out << FormatSummary(SummarizeAdis(in), CodeList::Seed(), adisFile);
    return kExitOk;
}

bool isSwitch(const std::string& argument) {
    return !argument.empty() && argument.front() == '-';
}

} // namespace

int RunImporterCommand(const std::vector<std::string>& arguments, const std::string& installFolder,
                       const std::string& startedAt, std::ostream& out, std::ostream& err) {
    if (arguments.size() == 2 && arguments[0] == "-a" && !isSwitch(arguments[1]) &&
        !arguments[1].empty()) {
        return ImportCommand(adisPath(arguments[1]), installFolder, startedAt, out, err).run();
    }
    if (arguments.size() == 1 && !isSwitch(arguments[0]) && !arguments[0].empty()) {
        return showSummary(adisPath(arguments[0]), out, err);
    }
    err << kUsage;
    return kExitUsage;
}

} // namespace herdsim
