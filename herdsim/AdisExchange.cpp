// SPDX-License-Identifier: MIT
// Request lines of the automation server and the ADIS answers to them.
#include "herdsim/AdisExchange.h"

#include "herdsim/Text.h"

#include <optional>

namespace herdsim {
namespace {

constexpr std::size_t kPrefixLength = 8; // "RN" and the entity
constexpr std::size_t kItemLength = 11;
constexpr const char* kLineEnd = "\r\n";

std::string entityText(long entity) {
    const std::string digits = std::to_string(entity);
    return std::string(digits.size() < 6 ? 6 - digits.size() : 0, '0') + digits;
}

std::string_view withoutLineBreak(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
        line.remove_suffix(1);
    }
    return line;
}

std::string definitionLine(const ExchangeRequest& request) {
    std::string line = "DN" + entityText(request.entity);
    for (const auto& item : request.items) {
        line += item.text;
    }
    return line + kLineEnd;
}

// The value of a code-list item for one code, and whether it is a number.
std::optional<std::pair<std::string, bool>> codeField(long itemNumber, const CodeItem& code) {
    const auto number = [](long value) { return std::make_pair(std::to_string(value), true); };
    switch (itemNumber) {
    case 901:
        return number(code.itemNumber);
    case 905:
        return number(code.indexItem);
    case 902:
        return std::make_pair(code.mnemonic, false);
    case 903:
        return std::make_pair(code.description, false);
    case 908:
        return number(code.decimals);
    case 904:
        return number(code.width);
    case 911:
        return number(static_cast<long>(code.type));
    case 912:
        return number(code.importPermission);
    default:
        return std::nullopt;
    }
}

} // namespace

std::string ParseRequestLine(std::string_view line, ExchangeRequest& request) {
    line = withoutLineBreak(line);
    if (line.size() < kPrefixLength + kItemLength) {
        return "The request line is too short: it needs \"RN\", an entity of 6 characters and at "
               "least one item definition of 11 characters.";
    }
    if (line.substr(0, 2) != "RN") {
        return "A request line begins with \"RN\".";
    }
    const auto entity = ParseAlignedNumber(line.substr(2, 6));
    if (!entity) {
        return "The entity \"" + std::string(line.substr(2, 6)) + "\" is not a number.";
    }
    if ((line.size() - kPrefixLength) % kItemLength != 0) {
        return "The item definitions are not a whole number of 11-character pieces.";
    }
    ExchangeRequest parsed{*entity, {}};
    for (std::size_t at = kPrefixLength; at < line.size(); at += kItemLength) {
        const std::string_view piece = line.substr(at, kItemLength);
        auto item = ParseItemDefinition(piece);
        if (!item || item->width == 0) {
            return "Item definition " + std::to_string(parsed.items.size() + 1) + " (\"" +
                   std::string(piece) +
                   "\") is not an item number, a width of 1 to 99 and decimals.";
        }
        parsed.items.push_back(std::move(*item));
    }
    request = std::move(parsed);
    return {};
}

std::string FitValue(std::string_view value, int width, bool isNumber) {
    const auto size = static_cast<std::size_t>(width);
    if (isNumber) {
        const std::string_view digits = TrimBlanks(value);
        return digits.size() > size ? std::string(size, '?')
                                    : std::string(size - digits.size(), ' ') + std::string(digits);
    }
    std::string text(value.substr(0, size));
    text.resize(size, ' ');
    return text;
}

std::string AnswerCodeList(const ExchangeRequest& request, const CodeList& codes,
                           std::string& answer) {
    const CodeItem probe;
    for (const auto& item : request.items) {
        if (!codeField(item.itemNumber, probe)) {
            return "Entity 0 (the code list) has no item " + item.paddedNumber() +
                   "; it offers 901, 902, 903, 904, 905, 908, 911 and 912.";
        }
    }
    answer = definitionLine(request);
    for (const CodeItem& code : codes.items()) {
        answer += "VN" + entityText(request.entity);
        for (const auto& item : request.items) {
            const auto [value, isNumber] = *codeField(item.itemNumber, code);
            answer += FitValue(value, item.width, isNumber);
        }
        answer += kLineEnd;
    }
    return {};
}

std::string AnswerStoredRecords(const ExchangeRequest& request,
                                const std::vector<StoredRecord>& records, const CodeList& codes) {
    std::string answer = definitionLine(request);
    for (const StoredRecord& record : records) {
        answer += "VN" + entityText(request.entity);
        for (const auto& item : request.items) {
            const auto found = record.values.find(item.itemNumber);
            const CodeItem* code = codes.find(item.itemNumber);
            answer += FitValue(found == record.values.end() ? "" : found->second, item.width,
                               code != nullptr && code->isNumber());
        }
        answer += kLineEnd;
    }
    return answer;
}

} // namespace herdsim
