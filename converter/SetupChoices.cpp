// SPDX-License-Identifier: MIT
#include "converter/SetupChoices.h"

#include "engine/SetupConfirmation.h"

#include <charconv>
#include <iterator>
#include <limits>

namespace kolvane::converter {

void ApplySetupChoices(const SetupChoices& choices, ImportSetup& setup, const Language& language) {
    setup.AskSendDate = choices.askSendDate;
    setup.UseTodayAsSendDate = choices.useTodayAsSendDate;
    if (choices.dateFormat < std::size(kDateFormats)) {
        const std::string_view name = kDateFormats[choices.dateFormat].name;
        setup.DateFormatName = std::string(name);
        if (name != kCustomDateFormat) {
            setup.DatePattern.clear();
        }
    }
    setup.SendDate = choices.askSendDate ? choices.sendDate : std::string();
    setup.Separator = SeparatorFromCaption(choices.separator, language);
    setup.BottomLinesToSkip = choices.bottomLinesToSkip;
    setup.LineFilterMode = choices.lineFilterMode;
    setup.LineFilterText = choices.lineFilterMode == 0 ? std::string() : choices.lineFilterText;
    setup.TopLinesToSkip = choices.topLinesToSkip;
    setup.Staging.TopLinesToSkip = choices.topLinesToSkip;
    setup.OptionInit = choices.optionInit;
    setup.OptionZero = choices.optionZero;
    setup.OptionTrigger = choices.optionTrigger;
}

std::size_t DateFormatIndex(std::string_view formatName) {
    for (std::size_t i = 0; i < std::size(kDateFormats); ++i) {
        if (kDateFormats[i].name == formatName) {
            return i;
        }
    }
    return 0;
}

std::string SeparatorCaption(std::string_view separator, const Language& language) {
    if (separator == " ") {
        return language.LoadText(msg::Space);
    }
    if (separator == "\t") {
        return language.LoadText(msg::Tabs);
    }
    if (separator == kFixedColumns) {
        return language.LoadText(msg::FixedColumnsCaption);
    }
    return std::string(separator);
}

std::string TodayInFormat(std::size_t formatIndex, const ImportSetup& setup, const Clock& clock) {
    ImportSetup format;
    format.DateFormatName = std::string(kDateFormats[formatIndex].name);
    if (format.DateFormatName == kCustomDateFormat) {
        format.DatePattern = setup.DatePattern;
    }
    return TodayAsSendDate(format, clock);
}

SkipCount ReadSkipCount(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {0, false};
    }
    text = text.substr(first, text.find_last_not_of(' ') + 1 - first);
    long long number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (end != text.data() + text.size() || error == std::errc::invalid_argument) {
        return {std::nullopt, false};
    }
    if (error == std::errc::result_out_of_range || number < 0 ||
        number > std::numeric_limits<std::int16_t>::max()) {
        return {std::nullopt, true};
    }
    return {static_cast<std::int16_t>(number), false};
}

} // namespace kolvane::converter
