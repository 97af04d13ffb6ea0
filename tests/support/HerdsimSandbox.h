// SPDX-License-Identifier: MIT
// A sandbox for whole runs: a settings file of its own (KOLVANE_REGISTRY), the
// stand-in herd software installed into a temporary folder, a program folder,
// and helpers to write setups and sources and to look into the herd database.
#pragma once

#include "tests/support/TempFolder.h"

#include <map>
#include <string>

namespace kolvane::testing {

class HerdsimSandbox {
public:
    // Installs herdsim (with `herdsimInstall`, the installer's path) into
    // `installName` (a path inside the sandbox; folders are created).
    explicit HerdsimSandbox(const std::string& herdsimInstall,
                            const std::string& installName = "hx");

    const TempFolder& folder() const { return folder_; }
    std::string registryPath() const { return folder_.path("registry.reg"); }
    std::string installFolder() const { return folder_.path(installName_); }
    std::string programFolder() const { return folder_.path("program"); }
    std::map<std::string, std::string> environment() const;
    // Points this process's KOLVANE_REGISTRY at the sandbox (for in-process runs).
    void useInThisProcess() const;

    // A current-layout DST: semicolon-separated, skip one header line; columns
    // ANIMALID (15), TESTDATE (date dd-mm-aa), MILKKG (3 with 1 decimal, ","),
    // CELLCOUNT (5); `sourceLine` is the source path or "@". With askSendDate
    // the send date is TESTDATE and the file's own date is not imported.
    std::string writeMilkSetup(const std::string& name, const std::string& sourceLine,
                               bool askSendDate = false) const;
    std::string writeSource(const std::string& name, const std::string& text) const {
        return folder_.write(name, text);
    }
    // Records stored in the herd database by all imports so far.
    int importedRecords() const;

private:
    TempFolder folder_;
    std::string installName_;
};

} // namespace kolvane::testing
