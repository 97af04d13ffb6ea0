// SPDX-License-Identifier: MIT
#include "engine/SetupConfirmation.h"

#include "engine/DateCheck.h"
#include "engine/Dates.h"

namespace kolvane {

std::string SeparatorFromCaption(std::string_view text, const Language& language) {
    if (text == language.LoadText(msg::Space)) {
        return " ";
    }
    if (text == language.LoadText(msg::Tabs)) {
        return "\t";
    }
    if (text == language.LoadText(msg::FixedColumnsCaption)) {
        return std::string(kFixedColumns);
    }
    return std::string(text);
}

std::string DateFormatCaption(const ImportSetup& setup, const Language& language) {
    const std::string_view shown = ShownDateFormat(setup);
    if (shown != setup.DateFormatName) {
        return std::string(shown); // the user's own pattern
    }
    for (const DateFormatChoice& choice : kDateFormats) {
        if (choice.name == shown) {
            const std::string caption = language.LoadText(choice.captionNumber);
            return caption.empty() ? std::string(shown) : caption;
        }
    }
    return std::string(shown);
}

std::string TodayAsSendDate(const ImportSetup& setup, const Clock& clock) {
    const std::string& pattern =
        setup.DatePattern.empty() ? setup.DateFormatName : setup.DatePattern;
    return FormatTodayByPattern(pattern, clock);
}

namespace {

void confirmDateFormat(ImportSetup& setup) {
    if (setup.DateFormatName.empty() || setup.DateFormatName == "0") {
        setup.DateFormatName = std::string(kDateFormats[0].name);
    }
    for (const auto& format : kDateFormats) {
        if (setup.DateFormatName == format.name && format.name != kCustomDateFormat) {
            setup.DatePattern.clear();
        }
    }
}

} // namespace

SendDateNeed ConfirmLoadedSetup(ImportSetup& setup, const Language& language, const Clock& clock) {
    confirmDateFormat(setup);
    SendDateNeed need = SendDateNeed::None;
    if (setup.AskSendDate && setup.UseTodayAsSendDate) {
        setup.SendDate = TodayAsSendDate(setup, clock);
        need = SendDateNeed::Given;
    } else if (setup.AskSendDate) {
        need = setup.SendDate.empty() ? SendDateNeed::Missing : SendDateNeed::Given;
    }
    setup.Separator = SeparatorFromCaption(setup.Separator, language);
    if (setup.LineFilterMode == 0) {
        setup.LineFilterText.clear();
    }
    return need;
}

} // namespace kolvane
