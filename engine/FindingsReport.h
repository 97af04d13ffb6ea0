// SPDX-License-Identifier: MIT
// The value check's findings as the runners report them: one line per
// finding, compiler style, then a count per kind.
#pragma once

#include "engine/StringTable.h"
#include "engine/ValueFindings.h"

#include <string>

namespace kolvane {

inline constexpr std::size_t kShownFindings = 20;

// `SOURCE:LINE: column N (MNEMONIC): "1228" cut to 3 characters ("122")`, in
// the language's words (ANSI bytes); a warning says so after the line number.
std::string FindingLine(const ValueFinding& finding, const std::string& source,
                        const Language& language);

// "3 values cut", "1 value that is not a number": how many of a kind were found.
std::string KindCount(FindingKind kind, std::size_t count, const Language& language);

// "2 errors, 1 warning" (ANSI bytes).
std::string ErrorsAndWarnings(std::size_t errors, std::size_t warnings, const Language& language);

// The first kShownFindings lines, how many more there are, and one line per
// kind that was found, ready to print (ANSI bytes, lines ended by "\n").
std::string FindingsReport(const ValueFindings& findings, const std::string& source,
                           const Language& language);

} // namespace kolvane
