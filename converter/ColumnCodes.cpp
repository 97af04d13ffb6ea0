// SPDX-License-Identifier: MIT
#include "converter/ColumnCodes.h"

namespace kolvane::converter {

DataTypeRule RuleForDataType(int type) {
    switch (type) {
    case 2: // integer
    case 3: // with decimals
        return {.date = false, .time = false, .separator = true, .precision = true};
    case 4: // date
        return {.date = true, .time = false, .separator = false, .precision = false};
    case 5: // time
        return {.date = false, .time = true, .separator = false, .precision = false};
    case 6: // text
        return {.date = false, .time = false, .separator = false, .precision = false};
    default:
        return {};
    }
}

std::string_view FieldContent(std::string_view field) {
    const std::size_t first = field.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return field.substr(first, field.find_last_not_of(' ') - first + 1);
}

} // namespace kolvane::converter
