// SPDX-License-Identifier: MIT
#include "cli/Options.h"

#include <algorithm>

namespace kolvane::cli {
namespace {

bool isHelp(std::string_view argument) {
    return argument == "--help" || argument == "-h";
}

bool looksLikeOption(std::string_view argument) {
    return argument.size() > 1 && argument.front() == '-';
}

// "a, b or c"
std::string alternatives(const std::vector<std::string>& words) {
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0) {
            text += i + 1 == words.size() ? " or " : ", ";
        }
        text += words[i];
    }
    return text;
}

// Quoted, since some choices are punctuation: "takes "." or ",", not ";"".
std::string choiceList(const std::vector<std::string>& choices) {
    std::vector<std::string> quoted;
    for (const std::string& choice : choices) {
        quoted.push_back('"' + choice + '"');
    }
    return alternatives(quoted);
}

const OptionDefinition* findOption(const CommandDefinition& command, std::string_view written) {
    const auto matches = [written](const OptionDefinition& option) {
        if (written.starts_with("--")) {
            return written.substr(2) == option.name;
        }
        return option.shortName != 0 && written.size() == 2 && written[1] == option.shortName;
    };
    const auto found = std::find_if(command.options.begin(), command.options.end(), matches);
    return found == command.options.end() ? nullptr : &*found;
}

// Takes the option at `arguments[i]` (and its value, moving `i` past it);
// returns what is wrong with it, or nothing.
std::string takeOption(const CommandDefinition& command, std::span<const std::string> arguments,
                       std::size_t& i, ParsedArguments& parsed) {
    const std::string& argument = arguments[i];
    const bool isLong = argument.starts_with("--");
    const std::size_t equals = isLong ? argument.find('=') : std::string::npos;
    const std::string written = argument.substr(0, equals);
    const OptionDefinition* option = findOption(command, written);
    if (option == nullptr) {
        return "unknown option " + written;
    }
    std::optional<std::string> value;
    if (equals != std::string::npos) {
        value = argument.substr(equals + 1);
    }
    if (!option->takesValue()) {
        if (value) {
            return written + " takes no value";
        }
        parsed.options[option->name] = "";
        return {};
    }
    if (!value) {
        if (i + 1 >= arguments.size()) {
            return written + " needs a value";
        }
        value = arguments[++i];
    }
    const auto& choices = option->choices;
    if (!choices.empty() && std::find(choices.begin(), choices.end(), *value) == choices.end()) {
        return written + " takes " + choiceList(choices) + ", not \"" + *value + '"';
    }
    parsed.options[option->name] = *value;
    return {};
}

std::string checkPositionals(const CommandDefinition& command,
                             const std::vector<std::string>& given) {
    const auto required = static_cast<std::size_t>(
        std::count_if(command.positionals.begin(), command.positionals.end(),
                      [](const PositionalDefinition& positional) { return !positional.optional; }));
    if (given.size() < required) {
        return command.positionals[given.size()].name + " is missing";
    }
    if (given.size() > command.positionals.size()) {
        return "unexpected argument " + given[command.positionals.size()];
    }
    return {};
}

void parseOwnArguments(const CommandDefinition& command, std::span<const std::string> arguments,
                       ParseOutcome& outcome) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || !looksLikeOption(argument)) {
            outcome.arguments.positionals.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (isHelp(argument)) {
            outcome.helpAsked = true;
        } else {
            std::string error = takeOption(command, arguments, i, outcome.arguments);
            if (outcome.error.empty()) {
                outcome.error = std::move(error); // the first fault is the one to tell
            }
        }
    }
    if (outcome.error.empty()) {
        outcome.error = checkPositionals(command, outcome.arguments.positionals);
    }
}

std::string subcommandNames(const CommandDefinition& command) {
    std::vector<std::string> names;
    for (const CommandDefinition& subcommand : command.subcommands) {
        names.push_back(subcommand.name);
    }
    return alternatives(names);
}

void parseInto(const CommandDefinition& command, std::span<const std::string> arguments,
               ParseOutcome& outcome) {
    outcome.command = &command;
    outcome.arguments.command.push_back(command.name);
    if (command.subcommands.empty()) {
        parseOwnArguments(command, arguments, outcome);
        return;
    }
    if (arguments.empty()) {
        outcome.error = command.name + " needs " + subcommandNames(command);
        return;
    }
    if (isHelp(arguments.front())) {
        outcome.helpAsked = true;
        return;
    }
    const auto& subcommands = command.subcommands;
    const auto chosen = std::find_if(
        subcommands.begin(), subcommands.end(),
        [&](const CommandDefinition& subcommand) { return subcommand.name == arguments[0]; });
    if (chosen == subcommands.end()) {
        outcome.error = looksLikeOption(arguments.front())
                            ? "unknown option " + arguments.front()
                            : "unknown " + command.name + " command " + arguments.front() + " (" +
                                  subcommandNames(command) + ")";
        return;
    }
    parseInto(*chosen, arguments.subspan(1), outcome);
}

} // namespace

std::optional<std::string> ParsedArguments::value(std::string_view option) const {
    const auto found = options.find(option);
    if (found == options.end()) {
        return std::nullopt;
    }
    return found->second;
}

ParseOutcome ParseCommandLine(const CommandDefinition& command,
                              std::span<const std::string> arguments) {
    ParseOutcome outcome;
    parseInto(command, arguments, outcome);
    return outcome;
}

} // namespace kolvane::cli
