// SPDX-License-Identifier: MIT
#include "engine/Status.h"

#include "engine/StringTable.h"

namespace kolvane {

std::string Status::describe() const {
    return describeWith(message_);
}

std::string Status::describe(const Language& language) const {
    if (messageNumber_ != 0) {
        if (const auto text = language.FindText(messageNumber_); text && !text->empty()) {
            return describeWith(*text);
        }
    }
    return describeWith(message_);
}

std::string Status::describeWith(std::string_view text) const {
    std::string described;
    if (!path_.empty()) {
        described += path_;
    }
    if (line_ > 0) {
        described += described.empty() ? "line " : ": line ";
        described += std::to_string(line_);
        if (column_ > 0) {
            described += ", column " + std::to_string(column_);
        }
    }
    if (!described.empty()) {
        described += ": ";
    }
    described += text;
    return described;
}

} // namespace kolvane
