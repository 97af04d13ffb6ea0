// SPDX-License-Identifier: MIT
// herdsim's ADIS reader: lines, record kinds, definitions and values.
#include "herdsim/AdisReader.h"

#include "herdsim/Text.h"

#include <cctype>
#include <string_view>

namespace herdsim {
namespace {

constexpr std::size_t kPrefixLength = 8; // kind (2) and entity (6)
constexpr std::size_t kItemLength = 11;  // item number (8), width (2), decimals (1)
constexpr std::size_t kShownLength = 80; // of a line too long to keep

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string describeLengths(std::size_t found, std::size_t expected) {
    const std::string difference = found > expected
                                       ? std::to_string(found - expected) + " characters longer"
                                       : std::to_string(expected - found) + " characters shorter";
    return "The value line is " + difference + " than its definition line (line length " +
           std::to_string(found + kPrefixLength) + ", expected " +
           std::to_string(expected + kPrefixLength) + ").";
}

} // namespace

std::optional<ItemDefinition> ParseItemDefinition(std::string_view text) {
    if (text.size() != kItemLength) {
        return std::nullopt;
    }
    ItemDefinition item;
    item.text = std::string(text);
    const auto number = ParseAlignedNumber(text.substr(0, 8));
    const auto width = ParseAlignedNumber(text.substr(8, 2));
    // A blank decimals place means none.
    const char decimals = text[10] == ' ' ? '0' : text[10];
    if (!number || !width || !isDigit(decimals)) {
        return std::nullopt;
    }
    item.itemNumber = *number;
    item.width = static_cast<int>(*width);
    item.decimals = decimals - '0';
    return item;
}

std::optional<long> ParseAlignedNumber(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && text[start] == ' ') {
        ++start;
    }
    const std::string_view digits = text.substr(start);
    if (!IsDigits(digits) || digits.size() > 9) {
        return std::nullopt;
    }
    long value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string ItemDefinition::paddedNumber() const {
    std::string digits = std::to_string(itemNumber);
    return std::string(digits.size() < 8 ? 8 - digits.size() : 0, '0') + digits;
}

std::size_t AdisDefinition::valueWidth() const {
    std::size_t total = 0;
    for (const auto& item : items) {
        total += static_cast<std::size_t>(item.width);
    }
    return total;
}

AdisReader::AdisReader(std::istream& in, std::size_t maxLineLength)
    : in_(in), maxLineLength_(maxLineLength) {}

AdisReader::LineResult AdisReader::readLine() {
    line_.clear();
    std::streambuf* buffer = in_.rdbuf();
    if (buffer == nullptr || !in_.good()) {
        return LineResult::End;
    }
    bool tooLong = false;
    bool sawAnything = false;
    for (;;) {
        const auto next = buffer->sbumpc();
        if (next == std::char_traits<char>::eof()) {
            in_.setstate(std::ios::eofbit);
            break;
        }
        sawAnything = true;
        const char c = std::char_traits<char>::to_char_type(next);
        if (c == '\n') {
            break;
        }
        if (line_.size() < maxLineLength_) {
            line_ += c;
        } else {
            tooLong = true; // the rest of the line is dropped as it is read
        }
    }
    if (!sawAnything) {
        return LineResult::End;
    }
    ++lineNumber_;
    if (!line_.empty() && line_.back() == '\r' && !tooLong) {
        line_.pop_back();
    }
    return tooLong ? LineResult::TooLong : LineResult::Line;
}

std::optional<AdisRecord> AdisReader::next() {
    const LineResult result = readLine();
    if (result == LineResult::End) {
        return std::nullopt;
    }
    if (result == LineResult::TooLong) {
        AdisRecord record;
        record.lineNumber = lineNumber_;
        record.line = line_.substr(0, kShownLength);
        record.problem = "The line is longer than " + std::to_string(maxLineLength_) +
                         " characters; it was not read.";
        return record;
    }
    return classify();
}

AdisRecord AdisReader::classify() {
    AdisRecord record;
    record.lineNumber = lineNumber_;
    record.line = line_;
    if (line_.size() < 2) {
        record.problem = line_.empty() ? "The line is empty." : "The line is too short.";
        return record;
    }
    record.status = line_[1];
    if (std::isupper(static_cast<unsigned char>(line_[1])) == 0) {
        record.problem = "Unknown record kind \"" + line_.substr(0, 2) + "\".";
        return record;
    }
    switch (line_[0]) {
    case 'D':
        return readDefinition(std::move(record));
    case 'V':
        return readValue(std::move(record));
    case 'f':
    case 'F':
        return readOption(std::move(record));
    case 'C':
        record.kind = RecordKind::Comment;
        return record;
    case 'Z':
        record.kind = RecordKind::End;
        return record;
    case 'R':
        record.kind = RecordKind::Request;
        return record;
    default:
        record.problem = "Unknown record kind \"" + line_.substr(0, 2) + "\".";
        return record;
    }
}

AdisRecord AdisReader::readDefinition(AdisRecord record) {
    const std::optional<long> entity =
        line_.size() >= kPrefixLength ? ParseAlignedNumber(line_.substr(2, 6)) : std::nullopt;
    if (!entity) {
        record.problem = "The definition line has no valid entity number.";
        return record;
    }
    record.entity = *entity;
    const auto key = std::make_pair(record.status, *entity);
    // A broken definition must not leave the previous layout in force.
    definitions_.erase(key);
    const std::string_view items = std::string_view(line_).substr(kPrefixLength);
    if (items.empty() || items.size() % kItemLength != 0) {
        record.problem = "The item definitions are not a whole number of 11-character pieces (" +
                         std::to_string(items.size()) + " characters).";
        return record;
    }
    auto definition = std::make_shared<AdisDefinition>();
    definition->status = record.status;
    definition->entity = *entity;
    definition->lineNumber = lineNumber_;
    for (std::size_t at = 0; at < items.size(); at += kItemLength) {
        auto item = ParseItemDefinition(items.substr(at, kItemLength));
        if (!item) {
            record.problem = "Item definition " + std::to_string(at / kItemLength + 1) + " (\"" +
                             std::string(items.substr(at, kItemLength)) +
                             "\") is not an item number, a width and decimals.";
            return record;
        }
        definition->items.push_back(std::move(*item));
    }
    record.kind = RecordKind::Definition;
    record.definition = definition;
    definitions_[key] = std::move(definition);
    return record;
}

AdisRecord AdisReader::readValue(AdisRecord record) {
    const std::optional<long> entity =
        line_.size() >= kPrefixLength ? ParseAlignedNumber(line_.substr(2, 6)) : std::nullopt;
    if (!entity) {
        record.problem = "The value line has no valid entity number.";
        return record;
    }
    record.entity = *entity;
    const auto found = definitions_.find(std::make_pair(record.status, *entity));
    if (found == definitions_.end()) {
        record.problem = "No valid definition line for entity " + line_.substr(2, 6) +
                         " came before this value line.";
        return record;
    }
    record.kind = RecordKind::Value;
    record.definition = found->second;
    std::string_view rest = std::string_view(line_).substr(kPrefixLength);
    const std::size_t expected = found->second->valueWidth();
    if (rest.size() != expected) {
        record.problem = describeLengths(rest.size(), expected);
    }
    for (const auto& item : found->second->items) {
        const auto piece = rest.substr(0, static_cast<std::size_t>(item.width));
        record.values.emplace_back(piece);
        rest.remove_prefix(piece.size());
    }
    return record;
}

AdisRecord AdisReader::readOption(AdisRecord record) {
    const std::string_view text = TrimBlanks(std::string_view(record.line).substr(2));
    const auto equals = text.find('=');
    if (equals == std::string_view::npos || equals == 0) {
        record.problem = "The option line is not of the form \"fN name=value\".";
        return record;
    }
    record.kind = RecordKind::Option;
    record.optionName = ToLowerAscii(TrimBlanks(text.substr(0, equals)));
    record.optionValue = std::string(TrimBlanks(text.substr(equals + 1)));
    return record;
}

} // namespace herdsim
