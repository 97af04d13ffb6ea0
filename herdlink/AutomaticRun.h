// SPDX-License-Identifier: MIT
// One automatic import as the runner does it, without windows (the DST is read
// by OpenDst with the runner's reader): settle the send date, convert the
// source into "adis.ads", run the importer and read its report. Brennick puts
// windows around these steps; kolvane-cli run uses them as they are.
#pragma once

#include "engine/AdisConversion.h"
#include "engine/EngineContext.h"
#include "engine/ImportSetup.h"
#include "herdlink/Importer.h"
#include "herdlink/ImporterReport.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace kolvane {

enum class SendDateRule { None, AskUser, Today };
SendDateRule RunnerSendDateRule(const ImportSetup& setup);
// Today's date in the setup's pattern (the format's name when no pattern is set).
void UseTodayAsSendDate(ImportSetup& setup, const Clock& clock);

// The source file the setup names: "@" when it names none.
inline constexpr std::string_view kAskForSource = "@";

struct RunnerConversion {
    SourceReadResult::Outcome outcome = SourceReadResult::Outcome::Completed;
    Status status;
    std::size_t rows = 0;
    bool datesNotTranslated = false; // such dates were written empty
    ValueFindings findings;          // what the value check found, by source line
    std::string sourcePath;
    SourceLineMap sourceLines; // the source line of each value line
    long firstValueLine = 0;   // the ADIS file's line of the first value line
    // Values that reach the herd database wrong: the import is never a success.
    bool wrongValues() const { return datesNotTranslated || findings.errors() > 0; }
    // Values not written as the source holds them (a cut text too): the user is told.
    bool valuesToReport() const { return wrongValues() || !findings.empty(); }
    bool tooManyFields() const { return outcome == SourceReadResult::Outcome::ColumnCountMismatch; }
};

// Converts `sourcePath` into the ADIS file `adisPath` (written atomically: a
// conversion that stops leaves no file and the earlier one as it was). The
// text starts with the header stored in the DST. A source that gives no row
// to convert is a failure (NoLines): nothing would be imported.
RunnerConversion ConvertForRunner(ImportSetup& setup, const EngineContext& context,
                                  const std::string& sourcePath, const std::string& adisPath);

struct RunnerImport {
    ImporterRun run;
    ImporterReport report;
};

// How long the unattended importer may run before it is ended.
inline constexpr std::chrono::minutes kDefaultImporterTimeout{120};
inline constexpr long long kMaxImporterTimeoutMinutes = 7LL * 24 * 60; // a week

// A limit as a user or the setting "ImporterTimeout" writes it (whole minutes,
// 1 to a week); nothing for any other text.
std::optional<std::chrono::minutes> ParseImporterTimeout(std::string_view text);
// What is wrong with such a text, naming where it came from ("the setting
// ImporterTimeout in /home/x/.config/kolvane/registry.reg").
std::string ImporterTimeoutProblem(std::string_view text, const std::string& where);

// Removes the result file of an earlier run, starts the importer and waits for
// it (at most `limit`: then it is ended and the outcome is the errors outcome
// with that reason), then reads its report. An importer that cannot be
// started, or that crashed without a report, gives the errors outcome with
// the reason in the details: never an earlier run's result.
RunnerImport ImportAndReadReport(const std::string& installFolder, const std::string& ownFolder,
                                 const std::function<void(int lineCounter)>& onGroup = {},
                                 const GroupNote& note = {},
                                 std::chrono::milliseconds limit = kDefaultImporterTimeout);

// Adds ", source line 17" to a report group whose ADIS line holds a value line
// of the conversion.
GroupNote SourceLineNote(const RunnerConversion& conversion, const Language& language);

// "48 of 48 records imported." or "46 of 48 records imported; 2 errors.": the
// importer's counts, with the conversion's wrong values among the errors and
// warnings. Empty when the importer's report gives no counts.
std::string ImportCountsText(const ImporterReport& report, const RunnerConversion& conversion,
                             const Language& language);

// The report's details for a conversion with wrong values: the message about
// dates that could not be translated, then the findings (CR LF line ends).
std::string WrongValuesDetails(const RunnerConversion& conversion, const Language& language);

} // namespace kolvane
