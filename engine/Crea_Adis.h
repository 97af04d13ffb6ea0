// SPDX-License-Identifier: MIT
// The ADIS writer: option lines, header lines, the definition line, one value
// line per source row and the end line. The only place where the ADIS line
// layouts are defined.
#pragma once

#include "engine/Dates.h"
#include "engine/EngineContext.h"
#include "engine/ImportSetup.h"
#include "engine/Status.h"
#include "engine/ValueChecks.h"
#include "engine/ValueFindings.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kolvane {

inline constexpr std::string_view kCrLf = "\r\n";
inline constexpr std::string_view kValueLineStart = "VN000000";
inline constexpr std::string_view kEndLine = "ZN";

// The converter builds the header from the column table and stops at the first
// date it cannot convert. The runner takes the header stored in the DST, marks
// columns that are not imported with "NO IMPORTAR", gives an empty width the
// width 1, and goes on past a date it cannot convert.
enum class AdisVariant { Converter, Runner };

// Option lines, the two header lines and the definition line, without a line
// break after the definition line. Normalises Width (two characters) and
// Decimals (one character) of every entry it lists, in place.
std::string BuildAdisHeader(ImportSetup& setup, const Language& language);

// The digits of a decimal number with exactly `decimals` implied decimal places.
std::string ShiftDecimals(std::string_view value, char separator, int decimals);

// Turns source rows into value lines. Built once per conversion: it reads the
// column table and the date pattern once, so each row costs only its cells.
// After construction it touches no shared state, so writers built one after
// another can convert rows on separate threads.
class AdisValueWriter {
public:
    AdisValueWriter(ImportSetup& setup, const EngineContext& context, AdisVariant variant);

    // Appends CR LF and the value line of one row to `out`. A date that cannot
    // be converted (converter) or a correction factor that cannot be applied
    // stops the conversion: the status says which row and column, and nothing
    // of the row is appended.
    Status appendValueLine(std::span<const std::string_view> cells, long rowNumber,
                           std::string& out);
    // The same into `line`, which has room for lineLength(cells.size()) bytes.
    // False on a failure, which takeFailure() then gives; the bytes there mean
    // nothing then. (No status for every row: this runs for millions of them.)
    bool writeValueLine(std::span<const std::string_view> cells, long rowNumber, char* line);
    Status takeFailure() { return std::exchange(failure_, Status::Ok()); }

    // A date could not be converted (the runner goes on past it).
    bool dateConversionFailed() const { return dateFailed_; }
    // What the value check found in the rows so far; taking them starts afresh.
    const ValueFindings& findings() const { return findings_; }
    ValueFindings takeFindings() { return std::exchange(findings_, ValueFindings{}); }
    // Findings are still counted but no longer kept (earlier rows filled the list).
    void countFindingsOnly(bool only) { countFindingsOnly_ = only; }
    // The bytes that appendValueLine adds for a row of `cells` cells.
    std::size_t lineLength(std::size_t cells) const {
        return kCrLf.size() + kValueLineStart.size() +
               lineWidths_[std::min(cells, columns_.size())];
    }

private:
    struct Column {
        bool imported = false;
        bool plain = false; // no date, time, factor or decimal separator: the cell as it is
        bool isDate = false;
        bool isTime = false;
        char factorOperator = 0; // 0: no correction factor
        double factor = 0;
        std::optional<int> factorPower; // the factor and the division by ten, as 10^n
        char decimalSeparator = 0;      // 0: none
        int decimals = 0;
        std::size_t width = 0;
        NumberFormat factorFormat;
        ValueClass valueClass = ValueClass::Text;
        bool neededIndex = false;
        std::string mnemonic;
        std::string item;
    };

    Column planColumn(ColumnDefinition& definition) const;
    // Both return false on a failure that stops the conversion, kept in failure_.
    bool convertValue(const Column& column, std::string_view cell, long rowNumber, int columnNumber,
                      std::string_view& value);
    bool applyFactor(const Column& column, std::string& value, long rowNumber, int columnNumber);
    void checkValue(const Column& column, std::string_view cell, std::string_view value,
                    long rowNumber, int columnNumber);
    void addFinding(const Column& column, std::string_view cell, std::string_view written,
                    long rowNumber, int columnNumber, FindingKind kind, Severity severity);

    const EngineContext& context_;
    AdisVariant variant_;
    std::string doNotImport_;
    DatePatternParser dates_;
    std::vector<Column> columns_;
    std::vector<std::size_t> lineWidths_; // value widths of the first n columns together
    std::string converted_;               // reused buffers: no allocation per cell
    std::string factored_;
    std::string shifted_;
    Status failure_;
    std::string datePattern_;
    bool dateMessageShown_ = false;
    bool dateFailed_ = false;
    bool dateDigitsUnread_ = false; // the last date left digits of its cell unread
    ValueFindings findings_;
    bool countFindingsOnly_ = false;
};

// The header a conversion starts with: built from the column table (converter)
// or the one the DST stores (runner).
std::string AdisHeaderFor(ImportSetup& setup, const Language& language, AdisVariant variant);

// Builds AdisText from the whole SourceTable, showing progress, and fills
// AdisFindings. On failure AdisText holds the lines built so far, without the
// end line, and AdisFindings what was found up to there. A large table is
// converted on `threads` helper threads (0: by the machine's cores); the
// text, messages and findings are the same.
Status BuildAdisText(ImportSetup& setup, const EngineContext& context,
                     AdisVariant variant = AdisVariant::Converter, unsigned threads = 0);

} // namespace kolvane
