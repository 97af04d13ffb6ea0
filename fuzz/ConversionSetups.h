// SPDX-License-Identifier: MIT
// The setups the conversion targets use: a few columns of every kind the
// writer treats apart (text, date, time, decimals with a separator, factors).
#pragma once

#include "engine/ImportSetup.h"

#include <array>
#include <string_view>

namespace kolvane::fuzz {

inline constexpr std::array<std::string_view, 7> kDateFormats{
    "dd-mm-aa", "ddmmaa", "ddmmaaaa", "aaaammdd", "aa-mm-dd", "mm-dd-aa", "dd.mm.yyyy"};

inline ColumnDefinition Column(std::string_view mnemonic, std::string_view item,
                               std::string_view width, std::string_view decimals = "0") {
    ColumnDefinition column;
    column.Mnemonic = mnemonic;
    column.ItemNumber = item;
    column.RequiredIndex = "900080";
    column.Width = width;
    column.Decimals = decimals;
    column.RecommendedWidth = width;
    column.RecommendedDecimals = decimals;
    return column;
}

// id; date; milk in kg with a decimal comma, times 10; urea divided by 1000;
// a time; a column of anything.
inline ImportSetup DelimitedSetup(std::string_view dateFormat) {
    ImportSetup setup;
    setup.Separator = ";";
    setup.DateFormatName = dateFormat;
    ColumnDefinition date = Column("DATE", "900032", "08");
    date.IsDate = true;
    ColumnDefinition milk = Column("MILKKG", "800044", "05", "1");
    milk.DecimalSeparator = ",";
    milk.CorrectionFactor = "*10";
    ColumnDefinition urea = Column("UREA", "900026", "06");
    urea.DecimalSeparator = ".";
    urea.CorrectionFactor = "/1000";
    ColumnDefinition time = Column("TIME", "900033", "06");
    time.IsTime = true;
    setup.ColumnTable = {Column("ANIMALID", "900080", "15"), date, milk, urea, time,
                         Column("NOTE", "900045", "10")};
    setup.StoredAdisHeader = "DH00000000000000080\r\nVH000000DD      \r\nDN000000";
    return setup;
}

// The fixed-width golden layout, with a date and a factor column after it.
inline ImportSetup FixedWidthSetup(std::string_view dateFormat) {
    ImportSetup setup;
    setup.Separator = kFixedColumns;
    setup.DateFormatName = dateFormat;
    setup.FixedColumnStarts = {4, 12, 16, 24};
    ColumnDefinition count = Column("CELLCOUNT", "900047", "05");
    count.CorrectionFactor = "*2";
    ColumnDefinition date = Column("DATE", "900032", "08");
    date.IsDate = true;
    setup.ColumnTable = {Column("ANIMALID", "900080", "15"), Column("NAME", "900045", "10"), count,
                         date, Column("REST", "900046", "10")};
    setup.StoredAdisHeader = "DH00000000000000080\r\nVH000000DD      \r\nDN000000";
    return setup;
}

} // namespace kolvane::fuzz
