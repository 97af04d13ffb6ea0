// SPDX-License-Identifier: MIT
#include "engine/Status.h"

namespace kolvane {

std::string Status::describe() const {
    std::string text;
    if (!path_.empty()) {
        text += path_;
    }
    if (line_ > 0) {
        text += text.empty() ? "line " : ": line ";
        text += std::to_string(line_);
        if (column_ > 0) {
            text += ", column " + std::to_string(column_);
        }
    }
    if (!text.empty()) {
        text += ": ";
    }
    text += message_;
    return text;
}

} // namespace kolvane
