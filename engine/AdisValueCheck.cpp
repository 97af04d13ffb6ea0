// SPDX-License-Identifier: MIT
// The value check of the ADIS value writer: after a cell is converted, its
// written value is tested against what its column holds. Nothing here changes
// the value; it only records what the user must be told.
#include "engine/Crea_Adis.h"

namespace kolvane {

void AdisValueWriter::checkValue(const Column& column, std::string_view cell,
                                 std::string_view value, long rowNumber, int columnNumber) {
    const std::string_view written = value.substr(0, std::min(value.size(), column.width));
    switch (column.valueClass) {
    case ValueClass::Number:
        if (!IsNumberText(written)) {
            addFinding(column, cell, written, rowNumber, columnNumber, FindingKind::NotANumber,
                       Severity::Error);
        }
        break;
    case ValueClass::Date:
        // An empty value is no date and needs none; one that could not be
        // translated at all was recorded when it failed.
        if (!value.empty() && (dateDigitsUnread_ || !IsCalendarDate(value))) {
            addFinding(column, cell, written, rowNumber, columnNumber, FindingKind::Date,
                       Severity::Error);
        }
        break;
    case ValueClass::Time:
        if (!IsClockTime(value)) {
            addFinding(column, cell, written, rowNumber, columnNumber, FindingKind::Time,
                       Severity::Error);
        }
        break;
    case ValueClass::Text:
        break;
    }
    if (value.size() > column.width) {
        // A cut text is still readable; a cut number, date or time is another value.
        addFinding(column, cell, written, rowNumber, columnNumber, FindingKind::Cut,
                   column.valueClass == ValueClass::Text ? Severity::Warning : Severity::Error);
    }
    if (column.neededIndex && IsBlank(written)) {
        addFinding(column, cell, written, rowNumber, columnNumber, FindingKind::EmptyIndex,
                   Severity::Warning);
    }
}

void AdisValueWriter::addFinding(const Column& column, std::string_view cell,
                                 std::string_view written, long rowNumber, int columnNumber,
                                 FindingKind kind, Severity severity) {
    if (countFindingsOnly_ || findings_.full()) {
        findings_.countOnly(kind, severity);
        return;
    }
    findings_.add({.sourceLine = rowNumber,
                   .column = columnNumber,
                   .mnemonic = column.mnemonic,
                   .item = column.item,
                   .sourceText = std::string(cell),
                   .writtenText = std::string(written),
                   .kind = kind,
                   .severity = severity});
}

} // namespace kolvane
