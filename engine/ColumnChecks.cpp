// SPDX-License-Identifier: MIT
#include "engine/ColumnChecks.h"

#include <algorithm>

namespace kolvane {
namespace {

// Item numbers come padded with blanks from the code dictionary and without
// them from DST files: they are the same item either way.
std::string_view withoutBlanks(std::string_view number) {
    const auto first = number.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return number.substr(first, number.find_last_not_of(' ') - first + 1);
}

bool sameItem(std::string_view a, std::string_view b) {
    return withoutBlanks(a) == withoutBlanks(b);
}

} // namespace

void PrepareColumnTable(ImportSetup& setup, const Language& language, int sourceColumnCount) {
    const std::string doNotImport = language.DoNotImportText();
    setup.ColumnTable.resize(static_cast<std::size_t>(std::max(sourceColumnCount, 0)) + 1);
    // The spare entry belongs to no source column; an entry left there from a
    // longer table must not reach the definition line.
    setup.ColumnTable.back() = ColumnDefinition{};
    for (ColumnDefinition& column : setup.ColumnTable) {
        if (column.Mnemonic.empty()) {
            column.Mnemonic = doNotImport;
        }
        if (column.Mnemonic == doNotImport) {
            continue;
        }
        if (column.Width.empty()) {
            column.Width = column.RecommendedWidth;
        }
        if (column.Decimals.empty()) {
            column.Decimals = column.RecommendedDecimals;
        }
    }
}

bool CheckRequiredIndexes(const ImportSetup& setup, const Language& language, UserPort& port,
                          const IndexMnemonicLookup& lookup) {
    const std::string doNotImport = language.DoNotImportText();
    const auto& table = setup.ColumnTable;
    for (const ColumnDefinition& column : table) {
        if (column.Mnemonic == doNotImport || sameItem(column.RequiredIndex, column.ItemNumber)) {
            continue;
        }
        // The spare entry at the end never satisfies the rule.
        const auto searchEnd = table.empty() ? table.end() : table.end() - 1;
        const bool found =
            std::any_of(table.begin(), searchEnd, [&](const ColumnDefinition& other) {
                return sameItem(other.ItemNumber, column.RequiredIndex);
            });
        if (found) {
            continue;
        }
        if (withoutBlanks(column.RequiredIndex) == withoutBlanks(kNoIndex)) {
            port.showText("Warning: the code " + column.Mnemonic +
                              " can not be used for import! Please go back and correct.",
                          MessageIcon::Warning, MessageButtons::Ok);
            return true;
        }
        const std::string indexMnemonic =
            lookup ? lookup(column.RequiredIndex).value_or(column.RequiredIndex)
                   : column.RequiredIndex;
        const std::string text = language.LoadText(msg::IndexCodePrefix) + column.Mnemonic + " " +
                                 language.LoadText(msg::IndexCodeNeeds) + " " + indexMnemonic +
                                 " " + language.LoadText(msg::IndexCodeNotFound);
        return port.showText(text, MessageIcon::Warning, MessageButtons::OkCancel) !=
               MessageAnswer::Cancel;
    }
    return true;
}

} // namespace kolvane
