// SPDX-License-Identifier: MIT
#include "cli/Usage.h"

#include <algorithm>
#include <cctype>

namespace kolvane::cli {
namespace {

struct HelpRow {
    std::string label;
    std::string text;
};

const OptionDefinition kHelpOption{.name = "help", .shortName = 'h', .help = "prints this help"};

std::string valueText(const OptionDefinition& option) {
    if (option.choices.empty()) {
        return option.valueName;
    }
    std::string text;
    for (const std::string& choice : option.choices) {
        text += (text.empty() ? "" : "|") + choice;
    }
    return text;
}

std::string synopsisWord(const OptionDefinition& option) {
    std::string word = "[";
    if (option.shortName != 0) {
        word += std::string{'-', option.shortName, '|'};
    }
    word += "--" + option.name;
    if (option.takesValue()) {
        word += ' ' + valueText(option);
    }
    return word + ']';
}

std::vector<std::string> positionalWords(const CommandDefinition& command) {
    std::vector<std::string> words;
    for (const PositionalDefinition& positional : command.positionals) {
        words.push_back(positional.optional ? '[' + positional.name + ']' : positional.name);
    }
    return words;
}

HelpRow optionRow(const OptionDefinition& option) {
    // Long names line up whether a short one stands before them or not.
    std::string label = option.shortName != 0 ? std::string{'-', option.shortName, ','} : "   ";
    label += " --" + option.name;
    if (option.takesValue()) {
        label += ' ' + valueText(option);
    }
    return {label, option.help};
}

std::vector<HelpRow> subcommandRows(const CommandDefinition& command) {
    std::vector<HelpRow> rows;
    for (const CommandDefinition& subcommand : command.subcommands) {
        rows.push_back({Wrap(subcommand.name, positionalWords(subcommand)), subcommand.summary});
    }
    return rows;
}

std::vector<HelpRow> positionalRows(const CommandDefinition& command) {
    std::vector<HelpRow> rows;
    for (const PositionalDefinition& positional : command.positionals) {
        rows.push_back({positional.name, positional.help});
    }
    return rows;
}

std::vector<HelpRow> optionRows(const CommandDefinition& command) {
    std::vector<HelpRow> rows;
    for (const OptionDefinition& option : command.options) {
        rows.push_back(optionRow(option));
    }
    rows.push_back(optionRow(kHelpOption));
    return rows;
}

std::string section(std::string_view title, const std::vector<HelpRow>& rows,
                    std::size_t labelWidth) {
    if (rows.empty()) {
        return {};
    }
    std::string text = std::string(title) + ":\n";
    // Long texts wrap under their own column, not under the labels.
    for (const HelpRow& row : rows) {
        const std::string lead =
            "  " + row.label + std::string(labelWidth - row.label.size() - 1, ' ');
        text += Wrap(lead, WordsOf(row.text)) + '\n';
    }
    return text;
}

// The lines of `text` after the first get `indent` in front.
std::string indentFollowingLines(std::string text, std::string_view indent) {
    for (std::size_t at = text.find('\n'); at != std::string::npos && at + 1 < text.size();
         at = text.find('\n', at + 1 + indent.size())) {
        text.insert(at + 1, indent);
    }
    return text;
}

} // namespace

std::vector<std::string> WordsOf(std::string_view text) {
    std::vector<std::string> words;
    std::size_t start = 0;
    while ((start = text.find_first_not_of(' ', start)) != std::string_view::npos) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        words.emplace_back(text.substr(start, end - start));
        start = end;
    }
    return words;
}

std::string Wrap(std::string_view lead, const std::vector<std::string>& words, std::size_t width) {
    const std::string indent(lead.empty() ? 0 : lead.size() + 1, ' ');
    std::string text(lead);
    std::size_t lineStart = 0;
    bool atLineStart = lead.empty();
    for (const std::string& word : words) {
        if (!atLineStart && text.size() - lineStart + 1 + word.size() > width) {
            text += '\n';
            lineStart = text.size();
            text += indent;
            atLineStart = true;
        }
        text += (atLineStart ? "" : " ") + word;
        atLineStart = false;
    }
    return text;
}

std::string Synopsis(const CommandDefinition& command, const std::string& invokedAs,
                     std::size_t width) {
    if (!command.subcommands.empty()) {
        std::string text;
        for (const CommandDefinition& subcommand : command.subcommands) {
            text += Synopsis(subcommand, invokedAs + ' ' + subcommand.name, width);
        }
        return text;
    }
    std::vector<std::string> words = positionalWords(command);
    for (const OptionDefinition& option : command.options) {
        words.push_back(synopsisWord(option));
    }
    return Wrap(invokedAs, words, width) + '\n';
}

std::string CommandHelp(const CommandDefinition& command, const std::string& invokedAs) {
    constexpr std::string_view usage = "Usage: ";
    std::string text = std::string(usage) +
                       indentFollowingLines(Synopsis(command, invokedAs, kHelpWidth - usage.size()),
                                            std::string(usage.size(), ' '));
    std::string summary = Wrap("", WordsOf(command.summary));
    if (!summary.empty()) {
        summary.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(summary[0])));
        text += '\n' + summary + '\n';
    }
    text += '\n';
    const auto subcommands = subcommandRows(command);
    const auto positionals = positionalRows(command);
    const auto options = optionRows(command);
    std::size_t labelWidth = 0;
    for (const auto* rows : {&subcommands, &positionals, &options}) {
        for (const HelpRow& row : *rows) {
            labelWidth = std::max(labelWidth, row.label.size() + 2);
        }
    }
    return text + section("Commands", subcommands, labelWidth) +
           section("Arguments", positionals, labelWidth) + section("Options", options, labelWidth);
}

std::string UsageErrorText(std::string_view error, std::string_view invokedAs) {
    return "kolvane-cli: " + std::string(error) + "\nTry '" + std::string(invokedAs) +
           " --help'.\n";
}

} // namespace kolvane::cli
