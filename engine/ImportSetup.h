// SPDX-License-Identifier: MIT
// Everything one import needs: the settings, the column table, the source table
// and the ADIS text built from them. Each program owns exactly one ImportSetup
// for its whole run and passes it by reference.
#pragma once

#include "engine/SourceEncoding.h"
#include "engine/SourceTable.h"
#include "engine/ValueFindings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kolvane {

// What a column's width and decimals may be: an ADIS item is at most 99
// characters wide, with at most 9 decimals.
inline constexpr long long kMaxColumnWidth = 99;
inline constexpr long long kMaxColumnDecimals = 9;

// The Separator value of fixed-width sources.
inline constexpr std::string_view kFixedColumns = "Fixed Columns";
// The date format name of a pattern that the user built.
inline constexpr std::string_view kCustomDateFormat = "Personalizado";
// The mark of a column that is not imported, as the runner keeps it after reading a DST.
inline constexpr std::string_view kStoredDoNotImport = "NO IMPORTAR";

// What one source column becomes in the ADIS file. Numbers are kept as text
// because they are edited in text boxes and stored as text in DST files.
struct ColumnDefinition {
    std::string Mnemonic;
    std::string ItemNumber;
    std::string RequiredIndex;
    std::string Width;
    std::string Decimals;
    std::string RecommendedWidth;
    std::string RecommendedDecimals;
    std::int16_t SpareFlag = 0;
    bool IsDate = false;
    bool IsTime = false;
    std::string DecimalSeparator; // "", "." or ","
    std::string CorrectionFactor; // "", or "*" / "/" followed by the factor
    // The code's data type in the code dictionary (1 yes/no, 2 integer, 3 with
    // decimals, 4 date, 5 time, 6 text); 0 when unknown. Not kept in DST files:
    // whoever has the dictionary at hand fills it.
    int DataType = 0;

    friend bool operator==(const ColumnDefinition&, const ColumnDefinition&) = default;
};

// Entry i of the table describes source column i (index 0 is column 1).
using ColumnTable = std::vector<ColumnDefinition>;
// Ascending cut points of fixed-width columns (characters in front of each start).
using FixedColumnStarts = std::vector<std::int16_t>;

// Values a DST reader stages before the caller copies them into the working fields.
struct DstStaging {
    std::string SourceFilePath;
    std::string Description;
    std::string Separator;
    std::int16_t TopLinesToSkip = 0;
    std::int16_t BottomLinesToSkip = 0;
    std::string DateFormatName;
    std::string DatePattern;
    bool AskSendDate = false;
};

struct ImportSetup {
    std::string SourceFilePath;
    std::string Description;
    std::string Separator;
    std::int16_t TopLinesToSkip = 0;
    std::int16_t BottomLinesToSkip = 0;
    std::uint8_t LineFilterMode = 0; // 0 none, 1 matching lines dropped, 2 only matching lines
    std::string LineFilterText;
    std::string DateFormatName;
    std::string DatePattern;
    bool DateConversionFailed = false;
    bool AskSendDate = false;
    bool UseTodayAsSendDate = false;
    std::string SendDate;
    bool OptionInit = false;
    bool OptionZero = false;
    bool OptionTrigger = false;
    bool OptionErrExit = false;
    bool OptionErrOK = false;
    std::string AdisText;
    ValueFindings AdisFindings; // what the value check found while AdisText was built
    // The encoding the source table was read in, and its lines with letters
    // Windows-1252 has not (they join AdisFindings when the text is built).
    SourceEncoding SourceFileEncoding = SourceEncoding::Ansi;
    ValueFindings SourceLetters;
    std::string StoredAdisHeader;
    std::string DstFilePath;
    bool FixedColumnsFromDst = false;
    bool ColumnsFromDst = false;
    bool ColumnsWindowLoaded = false;
    bool ColumnCountMismatch = false;

    DstStaging Staging;
    ::kolvane::FixedColumnStarts FixedColumnStarts;
    ::kolvane::ColumnTable ColumnTable;
    ::kolvane::SourceTable SourceTable;

    bool usesFixedColumns() const { return Separator == kFixedColumns; }
};

// Sets every setting (and the staging copy) back to its default. The column
// table, the fixed column starts and the source table stay: the step that
// fills each of them recreates it.
void ResetImportSetup(ImportSetup& setup);

// Copies the staged DST values into the working fields.
void CopyStagingToWorking(ImportSetup& setup);

} // namespace kolvane
