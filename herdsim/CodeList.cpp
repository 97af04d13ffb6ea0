// SPDX-License-Identifier: MIT
// Reads the code list and finds codes by item number.
#include "herdsim/CodeList.h"

#include "herdsim/AdisReader.h"
#include "herdsim/EmbeddedData.h"
#include "herdsim/Text.h"

#include <array>
#include <optional>
#include <stdexcept>

namespace herdsim {
namespace {

using kolvane::ErrorCode;
using kolvane::Status;

constexpr std::array<std::string_view, 8> kColumns = {"mnemonic", "item",  "index", "description",
                                                      "decimals", "width", "type",  "import"};

bool isKnownPermission(long value) {
    using namespace permission;
    return value == kRefused || value == kAllowed || value == kInitOption || value == kRestricted ||
           value == kRestrictedOther || value == kInitOptionOther;
}

// Empty when the fields make a valid entry, else the reason.
std::string toItem(const std::vector<std::string_view>& fields, CodeItem& item) {
    if (fields.size() != kColumns.size()) {
        return "expected 8 tab-separated fields, found " + std::to_string(fields.size());
    }
    const auto number = ParseAlignedNumber(fields[1]);
    const auto index = ParseAlignedNumber(fields[2]);
    const auto decimals = ParseAlignedNumber(fields[4]);
    const auto width = ParseAlignedNumber(fields[5]);
    const auto type = ParseAlignedNumber(fields[6]);
    const auto allowed = ParseAlignedNumber(fields[7]);
    if (TrimBlanks(fields[0]).empty() || !number || *number == 0 || !index) {
        return "the mnemonic, the item number or the index item is missing or not a number";
    }
    if (!decimals || *decimals > 9 || !width || *width < 1 || *width > 99) {
        return "decimals must be 0 to 9 and the width 1 to 99";
    }
    if (!type || *type < 1 || *type > 6 || !allowed || !isKnownPermission(*allowed)) {
        return "unknown data type or import permission";
    }
    item.mnemonic = std::string(TrimBlanks(fields[0]));
    item.itemNumber = *number;
    item.indexItem = *index;
    item.description = std::string(fields[3]);
    item.decimals = static_cast<int>(*decimals);
    item.width = static_cast<int>(*width);
    item.type = static_cast<DataType>(*type);
    item.importPermission = static_cast<int>(*allowed);
    return {};
}

bool isHeader(const std::vector<std::string_view>& fields) {
    if (fields.size() != kColumns.size()) {
        return false;
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (ToLowerAscii(TrimBlanks(fields[i])) != kColumns[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

bool CodeItem::needsInitOption() const {
    return importPermission == permission::kInitOption ||
           importPermission == permission::kInitOptionOther;
}

bool CodeItem::isRestricted() const {
    return importPermission == permission::kRestricted ||
           importPermission == permission::kRestrictedOther;
}

Status CodeList::Parse(std::string_view text, CodeList& list) {
    CodeList parsed;
    bool headerSeen = false;
    long lineNumber = 0;
    for (std::string_view line; NextLine(text, line);) {
        ++lineNumber;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const auto fields = SplitTabs(line);
        if (!headerSeen) {
            if (!isHeader(fields)) {
                return {ErrorCode::BadFileFormat,
                        "the first line must name the columns",
                        {},
                        lineNumber};
            }
            headerSeen = true;
            continue;
        }
        CodeItem item;
        if (const std::string reason = toItem(fields, item); !reason.empty()) {
            return {ErrorCode::BadFileFormat, reason, {}, lineNumber};
        }
        if (!parsed.byNumber_.emplace(item.itemNumber, parsed.items_.size()).second) {
            return {ErrorCode::BadFileFormat, "the item number appears twice", {}, lineNumber};
        }
        parsed.items_.push_back(std::move(item));
    }
    if (parsed.items_.empty()) {
        return {ErrorCode::BadFileFormat, "the code list has no entries"};
    }
    list = std::move(parsed);
    return Status::Ok();
}

CodeList CodeList::Seed() {
    CodeList list;
    const Status status = Parse(embedded::CodeListText(), list);
    if (!status.ok()) {
        // The list is built in and checked by the tests; a broken one is a build fault.
        throw std::logic_error("built-in code list: " + status.describe());
    }
    return list;
}

const CodeItem* CodeList::find(long itemNumber) const {
    const auto found = byNumber_.find(itemNumber);
    return found == byNumber_.end() ? nullptr : &items_[found->second];
}

} // namespace herdsim
