// SPDX-License-Identifier: MIT
// The help texts and the usage error of kolvane-cli, made from the command
// tables so that they never disagree with what the parser accepts.
#pragma once

#include "cli/Options.h"

#include <string>
#include <string_view>
#include <vector>

namespace kolvane::cli {

inline constexpr std::size_t kHelpWidth = 80; // a terminal's width

// The words of `text`, split at blanks.
std::vector<std::string> WordsOf(std::string_view text);

// `words` joined by blanks after `lead`, broken into lines of at most `width`
// where a word allows; the lines after the first are indented under the first word.
std::string Wrap(std::string_view lead, const std::vector<std::string>& words,
                 std::size_t width = kHelpWidth);

// How to call `command` as `invokedAs` ("kolvane-cli convert"): one line (or
// wrapped lines) per sub-command, each ended by a newline.
std::string Synopsis(const CommandDefinition& command, const std::string& invokedAs,
                     std::size_t width = kHelpWidth);

// What "--help" of a command prints: its usage, what it does, and one line per
// sub-command, argument and option.
std::string CommandHelp(const CommandDefinition& command, const std::string& invokedAs);

// The two lines of every usage error: "kolvane-cli: <error>" and the help to read.
std::string UsageErrorText(std::string_view error, std::string_view invokedAs);

} // namespace kolvane::cli
