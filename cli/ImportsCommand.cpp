// SPDX-License-Identifier: MIT
#include "cli/ImportsCommand.h"

#include "cli/CliPort.h"
#include "cli/CliSettings.h"
#include "cli/ExitCodes.h"
#include "engine/Ansi.h"
#include "storage/AutomaticImports.h"

#include <cstdio>
#include <filesystem>

namespace kolvane::cli {
namespace {

void printLine(const std::string& ansiText) {
    const std::string text = AnsiToUtf8(ansiText) + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
}

int listImports(const AutomationList& list) {
    if (list.empty()) {
        PrintError("no automatic imports are registered");
        return kExitSuccess;
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string& path = list[i];
        std::error_code ec;
        const bool exists = std::filesystem::is_regular_file(path, ec);
        std::string line = std::to_string(i + 1) + "  " + path;
        if (!exists) {
            line += "  (the setup file is missing)";
        } else if (const auto description = DstThirdLine(path)) {
            line += "  " + *description;
        }
        printLine(line);
    }
    return kExitSuccess;
}

int removeImport(AutomationList& list, WinReg& settings, const std::string& dstPath) {
    const auto position = Existe_Automatizacion(list, dstPath);
    if (!position) {
        PrintError(dstPath +
                   ": not a registered automatic import (see 'kolvane-cli imports list')");
        return kExitUsage;
    }
    if (Status removed = RemoveAutomaticImport(list, *position, settings); !removed.ok()) {
        PrintError(removed.describe());
        return kExitIncomplete;
    }
    PrintError("removed the automatic import " + dstPath + " and its setup file");
    return kExitSuccess;
}

} // namespace

int RunImports(const std::vector<std::string>& arguments) {
    CliSettings store;
    WinReg settings(*store.registry);
    AutomationList list;
    Leer_Automatizaciones(settings, list);
    if (arguments.size() == 1 && arguments[0] == "list") {
        return listImports(list);
    }
    if (arguments.size() == 2 && arguments[0] == "remove") {
        return removeImport(list, settings, arguments[1]);
    }
    std::fputs("usage:\n", stderr);
    std::fputs(kImportsUsage, stderr);
    return kExitUsage;
}

} // namespace kolvane::cli
