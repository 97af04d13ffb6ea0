// SPDX-License-Identifier: MIT
// The command line of kolvane-cli, read against one table per command: each
// command declares its options and positional arguments once, and the parser,
// the help texts and the usage errors all follow from that table.
#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kolvane::cli {

struct OptionDefinition {
    std::string name{};                 // the long name, written "--name" or "--name=VALUE"
    char shortName = 0;                 // written "-x"; 0 when there is none
    std::string valueName{};            // "FILE"; empty (and no choices) for a switch
    std::string help{};                 // one line
    std::vector<std::string> choices{}; // the only values allowed (shown instead of valueName)

    bool takesValue() const { return !valueName.empty() || !choices.empty(); }
};

struct PositionalDefinition {
    std::string name{}; // "SETUP.dst"
    std::string help{}; // one line
    bool optional = false;
};

struct CommandDefinition {
    std::string name{};    // "convert"; "remove" for a sub-command of "imports"
    std::string summary{}; // what it does, a sentence starting in lower case
    std::vector<PositionalDefinition> positionals{}; // the optional ones after the required ones
    std::vector<OptionDefinition> options{};         // --help and -h come with every command
    // When given, the first argument names one of them and the rest is read
    // against it; such a command has no options or positionals of its own.
    std::vector<CommandDefinition> subcommands{};
};

// A command line that matched its table.
struct ParsedArguments {
    std::vector<std::string> command;                        // {"convert"}, {"imports", "remove"}
    std::map<std::string, std::string, std::less<>> options; // by long name; "" for a switch
    std::vector<std::string> positionals;

    bool has(std::string_view option) const { return options.contains(option); }
    // The value given last; nothing when the option was not given.
    std::optional<std::string> value(std::string_view option) const;
};

struct ParseOutcome {
    ParsedArguments arguments;
    // The command (or sub-command) the line chose: the one whose help to show.
    // Points into the CommandDefinition given to ParseCommandLine.
    const CommandDefinition* command = nullptr;
    bool helpAsked = false; // --help or -h anywhere; it wins over any error
    std::string error;      // what is wrong with the line; empty when it can be used
};

// Reads the arguments after the command's name. "--" ends the options; an
// argument of its own "-" is a positional (it often means standard output).
ParseOutcome ParseCommandLine(const CommandDefinition& command,
                              std::span<const std::string> arguments);

} // namespace kolvane::cli
