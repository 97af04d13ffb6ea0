// SPDX-License-Identifier: MIT
#include "storage/ProgramFolder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace kolvane {

std::string ProgramFolder() {
    std::error_code ec;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        return std::filesystem::current_path(ec).string();
    }
    return executable.parent_path().string();
}

std::string WritableProgramFolder() {
    const std::string folder = ProgramFolder();
#if !defined(_WIN32)
    if (::access(folder.c_str(), W_OK) == 0) {
        return folder;
    }
#endif
    std::filesystem::path data;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg != '\0') {
        data = xdg;
    } else if (const char* home = std::getenv("HOME"); home != nullptr) {
        data = std::filesystem::path(home) / ".local" / "share";
    }
    data /= "kolvane";
    std::error_code ec;
    std::filesystem::create_directories(data, ec);
    static bool told = false;
    if (!told) {
        told = true;
        std::fprintf(stderr, "The program folder %s cannot be written; using %s instead.\n",
                     folder.c_str(), data.string().c_str());
    }
    return data.string();
}

} // namespace kolvane
