// SPDX-License-Identifier: MIT
#include "cli/ImportsCommand.h"

#include "cli/CliPort.h"
#include "cli/CliSettings.h"
#include "cli/ExitCodes.h"
#include "engine/Ansi.h"
#include "storage/AutomaticImportRegistration.h"
#include "storage/Settings.h"

#include <cstdio>
#include <filesystem>
#include <optional>

namespace kolvane::cli {
namespace {

void printLine(const std::string& shownText) {
    const std::string text = shownText + "\n";
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
            line += "  " + Shown(*description);
        }
        printLine(line);
    }
    return kExitSuccess;
}

int removeImport(AutomationList& list, WinReg& settings, const std::string& dstPath,
                 const Language& language) {
    const auto position = Existe_Automatizacion(list, dstPath);
    if (!position) {
        PrintLine(dstPath + ": not a registered automatic import (see 'kolvane-cli imports list')");
        return kExitUsage;
    }
    if (Status removed = RemoveAutomaticImport(list, *position, settings); !removed.ok()) {
        PrintStatus(removed, language);
        return kExitIncomplete;
    }
    PrintLine("removed the automatic import " + dstPath + " and its setup file");
    return kExitSuccess;
}

// The table has already told the sub-command and its one argument.
std::optional<ImportsOptions> importsOptionsFrom(const ParsedArguments& arguments, std::string&) {
    ImportsOptions options;
    if (arguments.command.back() == "remove") {
        options.action = ImportsOptions::Action::Remove;
        options.dstPath = arguments.positionals.front();
    }
    return options;
}

} // namespace

Command MakeImportsCommand() {
    CommandDefinition definition{
        .name = "imports",
        .summary = "lists the registered automatic imports, or removes one (its setup file is "
                   "deleted, its batch file stays).",
        .subcommands = {
            {.name = "list", .summary = "lists the registered automatic imports."},
            {.name = "remove",
             .summary = "removes an automatic import and deletes its setup file.",
             .positionals = {{.name = "SETUP.dst", .help = "the setup of the import"}}},
        }};
    return MakeCommand(std::move(definition), importsOptionsFrom, RunImports);
}

int RunImports(const ImportsOptions& options) {
    CliSettings store;
    Settings settings(*store.registry);
    AutomationList list = settings.automaticImports();
    if (options.action == ImportsOptions::Action::Remove) {
        return removeImport(list, settings.values(), options.dstPath,
                            Language(store.languageCode({})));
    }
    return listImports(list);
}

} // namespace kolvane::cli
