// SPDX-License-Identifier: MIT
// What a code of the code dictionary means for a column of the columns and
// codes window: the boxes its data type leaves to the user, and its fields as
// the windows show them.
#pragma once

#include <string_view>

namespace kolvane::converter {

// The controls that a data type leaves to the user.
struct DataTypeRule {
    bool date = true;
    bool time = true;
    bool separator = true; // the decimal separator, and with it the correction factor
    bool precision = true; // the decimal places
};

// Numbers (2, 3) take a separator and places, dates (4) and times (5) only
// their flag, texts (6) none of them; yes/no (1) and unknown types leave all.
DataTypeRule RuleForDataType(int type);

// A dictionary field without the blanks it is padded with.
std::string_view FieldContent(std::string_view field);

} // namespace kolvane::converter
