// SPDX-License-Identifier: MIT
// What the setup window collected, and how confirming it changes the setup:
// the date format by its place in the list, the separator captions turned into
// their characters, the line filter and the importer options.
#pragma once

#include "engine/Clock.h"
#include "engine/ImportSetup.h"
#include "engine/StringTable.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kolvane::converter {

struct SetupChoices {
    std::string separator; // as shown or typed: a caption or the character itself
    std::int16_t topLinesToSkip = 0;
    std::int16_t bottomLinesToSkip = 0;
    std::size_t dateFormat = 0; // the place in kDateFormats
    bool askSendDate = false;
    bool useTodayAsSendDate = false;
    std::string sendDate;
    std::uint8_t lineFilterMode = 0;
    std::string lineFilterText;
    bool optionInit = false;
    bool optionZero = false;
    bool optionTrigger = false;
};

// A fixed date format clears DatePattern; the user's own format keeps it. A
// setup that asks for no send date keeps none either: the fixed-width cutter
// puts any SendDate in front of every row.
void ApplySetupChoices(const SetupChoices& choices, ImportSetup& setup, const Language& language);

// The place in kDateFormats of the setup's format name; the first format for
// an empty, "0" or unknown name.
std::size_t DateFormatIndex(std::string_view formatName);

// The caption that shows a separator: the "Space", "Tabs" and "Fixed columns"
// captions for a blank, a TAB and fixed-width columns, else the separator itself.
std::string SeparatorCaption(std::string_view separator, const Language& language);

// Today's date in the date format at `formatIndex` (the setup's own pattern
// for the user's format), as a send date.
std::string TodayInFormat(std::size_t formatIndex, const ImportSetup& setup, const Clock& clock);

// A line count as typed, blanks around it ignored: "" is 0; no value for text
// that is no whole number, or (`outOfRange`) for one outside 0 to 32767.
struct SkipCount {
    std::optional<std::int16_t> value;
    bool outOfRange = false;
};
SkipCount ReadSkipCount(std::string_view text);

} // namespace kolvane::converter
