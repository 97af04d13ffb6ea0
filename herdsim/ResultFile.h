// SPDX-License-Identifier: MIT
// The result file HXDataExchange.ads that the importer leaves in its install
// folder. Every line has a three-character prefix:
//
//   CN  three header lines: the file, the start time and options, the counts
//   CE  first line of an error group      CW  first line of a warning group
//   CI  what the group is about           CM  why
//   CS  what became of the record or line
//   ZN  the end line
//
// After the header either the end line follows at once (nothing to report), or
// groups of four lines (CE/CW, CI, CM, CS) and then the end line. Lines end in
// CR LF; the text is ANSI, with control characters replaced so that a value can
// never break a line.
#pragma once

#include "herdsim/ImportReport.h"

#include <string>

namespace herdsim {

inline constexpr const char* kResultFileName = "HXDataExchange.ads";

std::string FormatResultFile(const ImportReport& report);

// The report of an import that could not run: one error group saying why.
ImportReport CouldNotRunReport(const std::string& file, const std::string& startedAt,
                               const std::string& reason);

} // namespace herdsim
