// SPDX-License-Identifier: MIT
// The importer's result file, as the runner reads it: three header lines, then
// a line starting "ZN" when nothing was reported, or report groups of four
// lines ended by a line starting "ZN".
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kolvane {

// The importer's counts, from the third line of its result file when it reads
// "Records: R read, I imported, N not imported; E errors, W warnings.".
struct ImportCounts {
    long read = 0;
    long imported = 0;
    long errors = 0;
    long warnings = 0;
};

struct ImporterReport {
    bool noErrors = false; // the importer reported nothing
    std::string details;   // the report for the user, lines joined by CR LF
    int lineCounter = 0;   // 1 + the groups after the first, as the counter shows it
    bool ended = false;    // the "ZN" line was found
    std::optional<ImportCounts> counts;
};

// Told the first line of a report group ("Error in line 7 of the ADIS file
// (record 3)"), returns what to add at its end: "" for nothing.
using GroupNote = std::function<std::string(std::string_view firstLine)>;

inline constexpr std::string_view kResultFileMissing =
    "The result file was not found. Therefore there are no possibility to find out if we have "
    "had some problems";

// Reads the text of a result file. The first three lines of each group lose
// their three-character prefix, the fourth is shown whole, and an empty line
// ends each group. A file that ends before its "ZN" line ends the report there:
// what was gathered is shown, as errors. `onGroup` is told the line counter
// after every group after the first.
ImporterReport ReadImporterReport(std::string_view text,
                                  const std::function<void(int lineCounter)>& onGroup = {},
                                  const GroupNote& note = {});

// Reads the result file at `path`; a missing file (or none found) gives the
// errors outcome with kResultFileMissing as its details.
ImporterReport Revisar_Resultado(const std::optional<std::string>& path,
                                 const std::function<void(int lineCounter)>& onGroup = {},
                                 const GroupNote& note = {});

// The first number of a text ("Error in line 7 of ..." gives 7).
std::optional<long> FirstNumber(std::string_view text);

// Long reports are cut for the details box, with a note where to read the rest.
inline constexpr std::size_t kDetailsLimit = 20000;
std::string DetailsForDisplay(const std::string& details);

} // namespace kolvane
