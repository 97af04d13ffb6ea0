// SPDX-License-Identifier: MIT
// One command of kolvane-cli: its table of arguments, and what turns a command
// line that matched the table into the command's options and runs it.
#pragma once

#include "cli/Options.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kolvane::cli {

struct Command {
    CommandDefinition definition;
    // The exit status; nothing, with `error` set, when the options given do not
    // go together (a usage error the table alone cannot tell).
    std::function<std::optional<int>(const ParsedArguments&, std::string& error)> execute;
};

// Joins a command's table, the function that fills its options struct and the
// function that runs it.
template <typename Options>
Command MakeCommand(CommandDefinition definition,
                    std::optional<Options> (*fill)(const ParsedArguments&, std::string&),
                    int (*run)(const Options&)) {
    return {
        std::move(definition),
        [fill, run](const ParsedArguments& arguments, std::string& error) -> std::optional<int> {
            const std::optional<Options> options = fill(arguments, error);
            if (!options) {
                return std::nullopt;
            }
            return run(*options);
        }};
}

// Every command of kolvane-cli, in the order its help lists them.
std::vector<Command> KolvaneCliCommands();

// kolvane-cli's overall "--help": every command's usage, what each does, the
// exit statuses.
std::string ProgramHelp(const std::vector<Command>& commands);

// Runs kolvane-cli with the arguments after the program's name: the help, the
// version or one of `commands`. Every usage error takes the same two lines on
// standard error and exit status 2.
int RunCommandLine(const std::vector<Command>& commands, std::span<const std::string> arguments);

} // namespace kolvane::cli
