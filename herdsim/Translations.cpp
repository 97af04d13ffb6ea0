// SPDX-License-Identifier: MIT
// The herd program's texts by number and language.
#include "herdsim/Translations.h"

#include "engine/Ansi.h"
#include "herdsim/AdisReader.h"
#include "herdsim/EmbeddedData.h"
#include "herdsim/Text.h"

#include <stdexcept>
#include <vector>

namespace herdsim {
namespace {

using kolvane::ErrorCode;
using kolvane::Status;

constexpr std::string_view kHeader = "number\tSP\tEN\tDE\tFR";

// Empty when the fields make a complete entry, else why not.
std::string readEntry(const std::vector<std::string_view>& fields, long& number,
                      std::array<std::string, 4>& texts) {
    const auto parsed = fields.size() == 5 ? ParseAlignedNumber(fields[0]) : std::nullopt;
    if (!parsed || *parsed < Translations::kFirst || *parsed > Translations::kLast) {
        return "expected a number from 36001 to 36061 and four texts";
    }
    number = *parsed;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (TrimBlanks(fields[i + 1]).empty()) {
            return "a text is empty";
        }
        texts[i] = kolvane::Utf8ToAnsi(fields[i + 1]);
    }
    return {};
}

} // namespace

Language LanguageFromSetting(const std::optional<std::string>& setting) {
    const std::string code = setting ? ToLowerAscii(TrimBlanks(*setting)) : std::string{};
    if (code == "sp") {
        return Language::Spanish;
    }
    if (code == "de") {
        return Language::German;
    }
    if (code == "fr") {
        return Language::French;
    }
    return Language::English;
}

Status Translations::Parse(std::string_view utf8, Translations& translations) {
    Translations parsed;
    bool headerSeen = false;
    long lineNumber = 0;
    for (std::string_view line; NextLine(utf8, line);) {
        ++lineNumber;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (!headerSeen) {
            if (line != kHeader) {
                return {ErrorCode::BadFileFormat,
                        "the first line must name the columns",
                        {},
                        lineNumber};
            }
            headerSeen = true;
            continue;
        }
        long number = 0;
        std::array<std::string, 4> texts;
        if (const std::string reason = readEntry(SplitTabs(line), number, texts); !reason.empty()) {
            return {ErrorCode::BadFileFormat, reason, {}, lineNumber};
        }
        if (!parsed.texts_.emplace(number, std::move(texts)).second) {
            return {ErrorCode::BadFileFormat, "the number appears twice", {}, lineNumber};
        }
    }
    if (parsed.texts_.size() != static_cast<std::size_t>(kLast - kFirst + 1)) {
        return {ErrorCode::BadFileFormat, "not every number from 36001 to 36061 has its texts"};
    }
    translations = std::move(parsed);
    return Status::Ok();
}

Translations Translations::BuiltIn() {
    Translations translations;
    const Status status = Parse(embedded::TranslationsText(), translations);
    if (!status.ok()) {
        // The table is built in and checked by the tests; a broken one is a build fault.
        throw std::logic_error("built-in translations: " + status.describe());
    }
    return translations;
}

std::optional<std::string> Translations::text(long number, Language language) const {
    const auto found = texts_.find(number);
    if (found == texts_.end()) {
        return std::nullopt;
    }
    return found->second[static_cast<std::size_t>(language)];
}

} // namespace herdsim
