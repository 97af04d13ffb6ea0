// SPDX-License-Identifier: MIT
// What confirming the setup window does with the values it shows, for a setup
// that was loaded from a DST file and is confirmed unchanged (the converter
// opening a DST, and the command line).
#pragma once

#include "engine/Clock.h"
#include "engine/ImportSetup.h"
#include "engine/StringTable.h"

namespace kolvane {

// The date format names in the order of the setup window's list, and their captions.
struct DateFormatChoice {
    std::string_view name;
    int captionNumber;
};
inline constexpr DateFormatChoice kDateFormats[] = {
    {"dd-mm-aa", 163}, {"mm-dd-aa", 164}, {"aa-mm-dd", 165},      {"ddmmaa", 166},
    {"ddmmaaaa", 167}, {"aaaammdd", 180}, {"Personalizado", 181},
};

// The setup's date format as the setup window shows it in the current
// language ("dd-mm-yy" in English, "tt-mm-jj" in German); the user's own
// format shows its pattern.
std::string DateFormatCaption(const ImportSetup& setup, const Language& language);

// The separator that a caption of the current language stands for: the "Space"
// caption is a blank, the "Tabs" caption the TAB character, the "Fixed columns"
// caption means fixed-width columns; any other text is the separator itself.
std::string SeparatorFromCaption(std::string_view text, const Language& language);

enum class SendDateNeed { None, Given, Missing };

// Applies the confirmation to the settings as they stand:
// - the date format: an empty (or "0") name becomes the first format of the list,
//   a fixed format clears DatePattern, the user's own keeps it;
// - the send date: with "Insert today's date" too, today's date in the format;
// - the separator captions become their characters;
// - without a line filter the filter text is empty.
// Returns Missing when a send date is asked for and none is set.
SendDateNeed ConfirmLoadedSetup(ImportSetup& setup, const Language& language, const Clock& clock);

// Today's date in the setup's pattern, or in the format's name when no pattern is set.
std::string TodayAsSendDate(const ImportSetup& setup, const Clock& clock);

} // namespace kolvane
