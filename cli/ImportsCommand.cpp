// SPDX-License-Identifier: MIT
#include "cli/ImportsCommand.h"

#include "cli/CliPort.h"
#include "cli/CliSettings.h"
#include "cli/ExitCodes.h"
#include "cli/ImportEntries.h"
#include "storage/AutomaticImportRegistration.h"
#include "storage/OpenDst.h"
#include "storage/ProgramFolder.h"
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

// "1  /home/ann/milk.dst  Milk of the morning": the number that remove takes,
// right-aligned so that the paths line up.
int listImports(const AutomationList& list) {
    if (list.empty()) {
        PrintError("no automatic imports are registered");
        return kExitSuccess;
    }
    const std::size_t numberWidth = std::to_string(list.size()).size();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string& path = list[i];
        std::string number = std::to_string(i + 1);
        number.insert(0, numberWidth - number.size(), ' ');
        std::error_code ec;
        std::string line = number + "  " + path;
        if (!std::filesystem::is_regular_file(path, ec)) {
            line += "  (the setup file is missing)";
        } else if (const auto description = DstThirdLine(path)) {
            line += "  " + Shown(*description);
        }
        printLine(line);
    }
    return kExitSuccess;
}

int removeImport(AutomationList& list, WinReg& settings, const ImportsOptions& options,
                 const Language& language) {
    std::string problem;
    const std::optional<int> position = FindImportEntry(list, options.entry, problem);
    if (!position) {
        PrintLine(problem);
        return kExitUsage;
    }
    const std::string dstPath = list[static_cast<std::size_t>(*position) - 1];
    const SetupFileOnRemoval setupFile =
        options.deleteSetupFile ? SetupFileOnRemoval::Delete : SetupFileOnRemoval::Keep;
    if (Status removed = RemoveAutomaticImport(list, *position, settings, setupFile);
        !removed.ok()) {
        PrintStatus(removed, language);
        return kExitIncomplete;
    }
    PrintLine(
        "removed the automatic import " + std::to_string(*position) + " (" + dstPath +
        (options.deleteSetupFile ? ") and deleted its setup file" : "); its setup file is kept"));
    return kExitSuccess;
}

// Only a setup the runner can read is worth registering.
Status checkSetupFile(const std::string& dstPath, const Language& language) {
    if (Status named = CheckSetupFileName(dstPath); !named.ok()) {
        return named;
    }
    ImportSetup setup;
    SilentPort silent; // the status below says what the port would
    return OpenDst(setup, language, silent, dstPath, {DstReader::Runner});
}

Status writeBatchFile(const std::string& dstPath, const ImportsOptions& options) {
    AutomationWizard wizard;
    wizard.AutomationDstPath = dstPath;
    wizard.AutomationName = AutomationNameOf(dstPath);
    wizard.StartWithoutConfirmation = options.startWithoutConfirmation;
    wizard.CloseWithoutConfirmation = options.closeWithoutConfirmation;
    // Where and for which runner the converter's wizard writes it.
    const BatchFileTarget target{WritableProgramFolder(), ProgramFolder() + "/Brennick"};
    if (Status written = WriteBatchFile(wizard, target); !written.ok()) {
        return written;
    }
    PrintLine("wrote the batch file " + BatchFilePath(wizard, target.programFolder));
    return Status::Ok();
}

int addImport(AutomationList& list, WinReg& settings, const ImportsOptions& options,
              const Language& language) {
    const std::string dstPath = RegisteredForm(options.entry);
    if (Status usable = checkSetupFile(dstPath, language); !usable.ok()) {
        PrintStatus(usable, language);
        PrintLine(dstPath + ": not registered");
        return kExitUsage;
    }
    if (Status storable = CheckAutomationPath(dstPath); !storable.ok()) {
        PrintStatus(storable, language);
        return kExitUsage;
    }
    if (options.batchFile) {
        if (Status written = writeBatchFile(dstPath, options); !written.ok()) {
            PrintStatus(written, language);
            PrintLine(dstPath + ": not registered");
            return kExitIncomplete;
        }
    }
    const bool known = Existe_Automatizacion(list, dstPath).has_value();
    if (Status registered = RegisterAutomaticImport(list, dstPath, settings); !registered.ok()) {
        PrintStatus(registered, language);
        return kExitIncomplete;
    }
    const std::string number = std::to_string(*Existe_Automatizacion(list, dstPath));
    PrintLine(known ? dstPath + " is already registered as automatic import " + number +
                          "; the list is unchanged"
                    : "registered " + dstPath + " as automatic import " + number);
    return kExitSuccess;
}

std::optional<ImportsOptions> importsOptionsFrom(const ParsedArguments& arguments,
                                                 std::string& error) {
    ImportsOptions options;
    const std::string& action = arguments.command.back();
    if (action == "list") {
        return options;
    }
    options.action = action == "add" ? ImportsOptions::Action::Add : ImportsOptions::Action::Remove;
    options.entry = arguments.positionals.front();
    options.batchFile = arguments.has("batch-file");
    options.startWithoutConfirmation = arguments.has("no-confirmation");
    options.closeWithoutConfirmation = arguments.has("close");
    options.deleteSetupFile = arguments.has("delete-file");
    if ((options.startWithoutConfirmation || options.closeWithoutConfirmation) &&
        !options.batchFile) {
        error = "-d and -c are switches of the batch file: they go with --batch-file";
        return std::nullopt;
    }
    return options;
}

CommandDefinition addDefinition() {
    return {.name = "add",
            .summary = "registers a saved setup as an automatic import; --batch-file also writes "
                       "the batch file that starts the runner on it.",
            .positionals = {{.name = "SETUP.dst", .help = "the saved setup"}},
            .options = {
                {.name = "batch-file",
                 .help = "writes <name>.sh in the program folder, as the wizard does"},
                {.name = "no-confirmation",
                 .shortName = 'd',
                 .help = "the runner starts without asking (-d in the batch file)"},
                {.name = "close",
                 .shortName = 'c',
                 .help = "the runner closes when nothing was reported (-c)"},
            }};
}

CommandDefinition removeDefinition() {
    return {.name = "remove",
            .summary = "unregisters an automatic import (its setup file stays unless "
                       "--delete-file is given, its batch file stays).",
            .positionals = {{.name = "ENTRY",
                             .help = "its number in 'imports list', or its setup file"}},
            .options = {{.name = "delete-file", .help = "deletes the setup file too"}}};
}

} // namespace

Command MakeImportsCommand() {
    CommandDefinition definition{
        .name = "imports",
        .summary = "lists, adds or removes the registered automatic imports.",
        .subcommands = {
            {.name = "list", .summary = "lists the registered automatic imports, numbered."},
            addDefinition(),
            removeDefinition(),
        }};
    return MakeCommand(std::move(definition), importsOptionsFrom, RunImports);
}

int RunImports(const ImportsOptions& options) {
    CliSettings store;
    Settings settings(*store.registry);
    AutomationList list = settings.automaticImports();
    const Language language(store.languageCode({}));
    switch (options.action) {
    case ImportsOptions::Action::Add:
        return addImport(list, settings.values(), options, language);
    case ImportsOptions::Action::Remove:
        return removeImport(list, settings.values(), options, language);
    case ImportsOptions::Action::List:
        break;
    }
    return listImports(list);
}

} // namespace kolvane::cli
