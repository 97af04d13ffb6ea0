// SPDX-License-Identifier: MIT
// herdsim-install FOLDER: installs herdsim into FOLDER as a real installation
// would: the importer and the automation server beside each other, an empty
// herd database, and the registry values through which the product finds them
// (the install folder, and the automation server under its ProgID).
#include "herdsim/HerdDatabase.h"
#include "storage/ProgramFolder.h"
#include "storage/RegistryBackend.h"

#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kInstallKey = "software\\Tremholt\\HXInstall\\Settings";
constexpr std::string_view kServerKey = "hxautoserver.application\\LocalServer32";
constexpr const char* kPrograms[] = {"HXDataExchange.exe", "hxautoserver"};

class InstallError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Absolute, without "." or ".." and without a trailing slash.
std::string installFolderOf(const std::string& argument) {
    std::string folder = fs::absolute(argument).lexically_normal().string();
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

void createFolder(const std::string& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder)) {
        throw InstallError("cannot create the folder " + folder +
                           (ec ? ": " + ec.message() : std::string{}));
    }
}

// Copied under a temporary name and renamed, so a running copy is never torn.
void copyProgram(const fs::path& source, const fs::path& target) {
    std::error_code ec;
    if (!fs::is_regular_file(source, ec)) {
        throw InstallError(source.string() + " is missing; build it beside herdsim-install");
    }
    if (fs::exists(target, ec) && fs::equivalent(source, target, ec)) {
        std::cout << "Kept " << target.string() << " (it is the built program itself)\n";
        return;
    }
    const fs::path temporary = target.string() + ".new-" + std::to_string(getpid());
    fs::copy_file(source, temporary, fs::copy_options::overwrite_existing, ec);
    if (!ec) {
        fs::rename(temporary, target, ec);
    }
    if (ec) {
        fs::remove(temporary);
        throw InstallError("cannot copy " + source.string() + " to " + target.string() + ": " +
                           ec.message());
    }
    std::cout << "Copied " << target.string() << "\n";
}

void createDatabase(const fs::path& path) {
    bool created = false;
    const kolvane::Status status = herdsim::HerdDatabase::CreateIfMissing(path.string(), created);
    if (!status.ok()) {
        throw InstallError(status.describe());
    }
    std::cout << (created ? "Created the empty herd database " : "Kept the herd database ")
              << path.string() << "\n";
}

void writeRegistry(const std::string& folder) {
    const auto registry = kolvane::OpenUserRegistry();
    // A Windows command line: the program in quotes, so a folder with blanks works.
    const std::string server = '"' + (fs::path(folder) / "hxautoserver").string() + '"';
    if (!registry ||
        !registry->writeValue(kolvane::RootKey::CurrentUser, kInstallKey, "Path", folder) ||
        !registry->writeValue(kolvane::RootKey::ClassesRoot, kServerKey, "", server)) {
        throw InstallError("cannot write the settings store " + kolvane::DefaultRegistryPath());
    }
    std::cout << "Wrote HKEY_CURRENT_USER\\" << kInstallKey << " Path = " << folder << "\n"
              << "Wrote HKEY_CLASSES_ROOT\\" << kServerKey << " (default) = " << server << "\n"
              << "Settings store: " << kolvane::DefaultRegistryPath() << "\n";
}

void install(const std::string& folder) {
    createFolder(folder);
    const fs::path programs = kolvane::ProgramFolder();
    for (const char* name : kPrograms) {
        copyProgram(programs / name, fs::path(folder) / name);
    }
    createDatabase(fs::path(folder) / herdsim::kHerdDatabaseName);
    writeRegistry(folder);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2 || argv[1][0] == '\0' || argv[1][0] == '-') {
        std::cerr << "Usage: herdsim-install FOLDER\n"
                     "Installs the stand-in herd software into FOLDER and registers it in the\n"
                     "settings store (KOLVANE_REGISTRY names it in tests and demos).\n";
        return 2;
    }
    const std::string folder = installFolderOf(argv[1]);
    try {
        install(folder);
    } catch (const std::exception& error) {
        std::cerr << "herdsim-install: " << error.what() << "\n";
        return 1;
    }
    std::cout << "herdsim is installed in " << folder << "\n";
    return 0;
}
