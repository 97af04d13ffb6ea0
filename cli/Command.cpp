// SPDX-License-Identifier: MIT
#include "cli/Command.h"

#include "cli/CodesCommand.h"
#include "cli/ConvertCommand.h"
#include "cli/ExitCodes.h"
#include "cli/ImportsCommand.h"
#include "cli/RunCommand.h"
#include "cli/Usage.h"

#include <algorithm>
#include <cstdio>

namespace kolvane::cli {
namespace {

constexpr std::string_view kProgram = "kolvane-cli";

constexpr const char* kNotes =
    "Messages go to standard error, in the language of the settings (KOLVANE_REGISTRY\n"
    "names the settings file). Every option with a value is written \"--name VALUE\" or\n"
    "\"--name=VALUE\". --source - reads standard input, -o - writes standard output.\n"
    "Exit status: 0 done; 1 the work did not complete, or a file or the settings\n"
    "could not be written; 2 usage error, bad or missing setup, source or entry, or\n"
    "the importer could not be started; 3 (run) the importer reported errors or\n"
    "warnings, (check) only warnings found. convert and check print wrong values on\n"
    "standard error (the first 20, then a count per kind); with --strict, convert\n"
    "writes nothing and exits 1 when a value is an error.\n";

int usageError(std::string_view error, std::string_view invokedAs) {
    std::fputs(UsageErrorText(error, invokedAs).c_str(), stderr);
    return kExitUsage;
}

// "kolvane-cli imports remove", as the help and the usage error name it.
std::string calledAs(const std::vector<std::string>& command) {
    std::string text(kProgram);
    for (const std::string& word : command) {
        text += ' ' + word;
    }
    return text;
}

const Command* findCommand(const std::vector<Command>& commands, std::string_view name) {
    const auto found =
        std::find_if(commands.begin(), commands.end(),
                     [name](const Command& command) { return command.definition.name == name; });
    return found == commands.end() ? nullptr : &*found;
}

int runCommand(const Command& command, std::span<const std::string> arguments) {
    const ParseOutcome outcome = ParseCommandLine(command.definition, arguments);
    const std::string invokedAs = calledAs(outcome.arguments.command);
    if (outcome.helpAsked) {
        std::fputs(CommandHelp(*outcome.command, invokedAs).c_str(), stdout);
        return kExitSuccess;
    }
    if (!outcome.error.empty()) {
        return usageError(outcome.error, invokedAs);
    }
    std::string error;
    const std::optional<int> status = command.execute(outcome.arguments, error);
    return status ? *status : usageError(error, invokedAs);
}

} // namespace

std::vector<Command> KolvaneCliCommands() {
    return {MakeConvertCommand(), MakeCheckCommand(), MakeCodesCommand(), MakeImportsCommand(),
            MakeRunCommand()};
}

std::string ProgramHelp(const std::vector<Command>& commands) {
    std::string text = "Usage:\n";
    for (const Command& command : commands) {
        text += Synopsis(command.definition, std::string(kProgram) + ' ' + command.definition.name);
    }
    text += "kolvane-cli COMMAND --help\nkolvane-cli --help | --version\n\n";
    for (const Command& command : commands) {
        std::string lead = command.definition.name;
        lead.resize(std::max<std::size_t>(lead.size(), 9), ' ');
        text += Wrap(lead, WordsOf(command.definition.summary)) + '\n';
    }
    return text + '\n' + kNotes;
}

int RunCommandLine(const std::vector<Command>& commands, std::span<const std::string> arguments) {
    if (arguments.empty()) {
        return usageError("no command given", kProgram);
    }
    const std::string& first = arguments.front();
    if (first == "--help" || first == "-h") {
        std::fputs(ProgramHelp(commands).c_str(), stdout);
        return kExitSuccess;
    }
    if (first == "--version") {
        std::fputs((std::string(kProgram) + ' ' + KOLVANE_VERSION + '\n').c_str(), stdout);
        return kExitSuccess;
    }
    if (const Command* command = findCommand(commands, first)) {
        return runCommand(*command, arguments.subspan(1));
    }
    const bool option = first.size() > 1 && first.front() == '-';
    return usageError((option ? "unknown option " : "unknown command ") + first, kProgram);
}

} // namespace kolvane::cli
