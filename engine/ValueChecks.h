// SPDX-License-Identifier: MIT
// The tests a written value must pass, one per kind of column. Each looks only
// at the value's own bytes, so the writer can run them on every cell.
#pragma once

#include "engine/ImportSetup.h"

#include <string_view>
#include <vector>

namespace kolvane {

// Data types of the code dictionary that hold numbers.
inline constexpr int kIntegerDataType = 2;
inline constexpr int kDecimalDataType = 3;

// What a column's values must look like once written.
enum class ValueClass : unsigned char { Text, Number, Date, Time };

// A date or time flag decides first; then a decimal separator or a numeric
// data type make a number; everything else is text.
ValueClass ValueClassOf(const ColumnDefinition& column);

// Digits and blanks, and at most one sign in front of the first digit.
bool IsNumberText(std::string_view written);

// Eight digits YYYYMMDD that name a day of the calendar.
bool IsCalendarDate(std::string_view written);

// Six digits HHMMSS with hours up to 23 and minutes and seconds up to 59.
bool IsClockTime(std::string_view written);

// True for each entry whose item another imported entry needs as its index
// (the animal the record belongs to). `notImported` is the mark of a column
// that is not imported.
std::vector<bool> NeededIndexColumns(const ColumnTable& table, std::string_view notImported);

} // namespace kolvane
