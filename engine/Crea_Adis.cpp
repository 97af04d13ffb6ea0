// SPDX-License-Identifier: MIT
#include "engine/Crea_Adis.h"

#include "engine/Horas.h"
#include "engine/ParallelAdisText.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <utility>

namespace kolvane {
namespace {

constexpr std::string_view kHeaderDefinition = "DH00000000000000080";
constexpr std::string_view kHeaderValue = "VH000000DD      ";
constexpr std::string_view kDefinitionStart = "DN000000";

void appendOptionLines(std::string& out, const ImportSetup& setup) {
    const std::pair<bool, std::string_view> options[] = {
        {setup.OptionErrOK, "fN errok=1"},     {setup.OptionInit, "fN init=1"},
        {setup.OptionErrExit, "fN errexit=1"}, {setup.OptionZero, "fN zero=1"},
        {setup.OptionTrigger, "fN trigger=1"},
    };
    for (const auto& [set, line] : options) {
        if (set) {
            out += line;
            out += kCrLf;
        }
    }
}

// Exactly 8 digits: blanks dropped (numbers copied from the code dictionary come
// right-aligned), zeros in front of a short number, the last 8 of a long one.
void appendItemNumber(std::string& out, std::string_view itemNumber) {
    std::string digits;
    for (const char c : itemNumber) {
        if (c != ' ') {
            digits += c;
        }
    }
    if (digits.size() > 8) {
        digits.erase(0, digits.size() - 8);
    }
    out.append(8 - digits.size(), '0');
    out += digits;
}

void normaliseWidthAndDecimals(ColumnDefinition& column) {
    if (column.Width.size() == 1) {
        column.Width.insert(column.Width.begin(), '0');
    } else if (column.Width.size() > 2) {
        column.Width.erase(0, column.Width.size() - 2);
    }
    if (column.Decimals.empty()) {
        column.Decimals = "0";
    } else if (column.Decimals.size() > 1) {
        column.Decimals.erase(0, column.Decimals.size() - 1);
    }
}

// Adds one to the digit string digits[0, size), as in decimal addition: a 9
// becomes 0 and the carry moves left; a carry past the leftmost digit (or into
// a character that is no digit, such as a sign) puts a "1" there. The buffer
// has room for one more character; the new size is returned.
std::size_t carryOne(char* digits, std::size_t size) {
    std::size_t i = size;
    while (i > 0) {
        --i;
        char& c = digits[i];
        if (c >= '0' && c <= '8') {
            ++c;
            return size;
        }
        if (c != '9') {
            std::memmove(digits + i + 2, digits + i + 1, size - i - 1);
            digits[i + 1] = '1';
            return size + 1;
        }
        c = '0';
    }
    std::memmove(digits + 1, digits, size);
    digits[0] = '1';
    return size + 1;
}

// Sized once and filled in place: this runs for every cell of a decimal column.
void appendShiftedDecimals(std::string& out, std::string_view value, char separator, int decimals) {
    const std::size_t start = out.size();
    const auto wanted = static_cast<std::size_t>(std::max(decimals, 0));
    out.resize(start + value.size() + wanted + 1);
    char* const digits = out.data() + start;
    std::size_t size = 0;
    std::size_t separatorAt = std::string_view::npos;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == separator) {
            if (separatorAt == std::string_view::npos) {
                separatorAt = i;
            }
            continue;
        }
        digits[size++] = value[i];
    }
    long places = separatorAt == std::string_view::npos
                      ? 0
                      : static_cast<long>(value.size() - separatorAt - 1);
    if (places < decimals) {
        std::memset(digits + size, '0', static_cast<std::size_t>(decimals - places));
        size += static_cast<std::size_t>(decimals - places);
    }
    for (; places > decimals && size > 0; --places) {
        const char dropped = digits[--size];
        if (dropped > '5' && dropped <= '9') {
            size = carryOne(digits, size);
        }
    }
    out.resize(start + size);
}

// The column's decimal separator, wherever a number written under its factor
// has the other one.
void replaceDecimalSeparators(char separator, std::string& value) {
    if (separator == '.') {
        std::replace(value.begin(), value.end(), ',', '.');
    } else if (separator == ',') {
        std::replace(value.begin(), value.end(), '.', ',');
    }
}

// The power of ten by which "*" or "/" and the division by ten that follows
// every factor together scale a value, when the factor is 1, 10, ... 10^15.
std::optional<int> powerOfTenOf(char op, double factor) {
    if (op != '*' && op != '/') {
        return std::nullopt;
    }
    double power = 1;
    for (int k = 0; k <= 15; ++k, power *= 10) {
        if (factor == power) {
            return (op == '*' ? k : -k) - 1;
        }
    }
    return std::nullopt;
}

std::size_t widthOf(const std::string& width, const NumberFormat& numbers) {
    const double value = std::floor(ToNumber(width, numbers));
    return value > 0 ? static_cast<std::size_t>(std::min(value, 1.0e6)) : 0;
}

} // namespace

std::string BuildAdisHeader(ImportSetup& setup, const Language& language) {
    std::string header;
    appendOptionLines(header, setup);
    header += kHeaderDefinition;
    header += kCrLf;
    header += kHeaderValue;
    header += kCrLf;
    header += kDefinitionStart;
    const std::string doNotImport = language.DoNotImportText();
    for (ColumnDefinition& column : setup.ColumnTable) {
        if (column.Mnemonic == doNotImport) {
            continue;
        }
        appendItemNumber(header, column.ItemNumber);
        normaliseWidthAndDecimals(column);
        header += column.Width;
        header += column.Decimals;
    }
    return header;
}

std::string ShiftDecimals(std::string_view value, char separator, int decimals) {
    std::string digits;
    appendShiftedDecimals(digits, value, separator, decimals);
    return digits;
}

std::string AdisHeaderFor(ImportSetup& setup, const Language& language, AdisVariant variant) {
    return variant == AdisVariant::Runner ? setup.StoredAdisHeader
                                          : BuildAdisHeader(setup, language);
}

AdisValueWriter::AdisValueWriter(ImportSetup& setup, const EngineContext& context,
                                 AdisVariant variant)
    : context_(context), variant_(variant), doNotImport_(context.language.DoNotImportText()),
      dates_((SelectDatePattern(setup), setup.DatePattern)), datePattern_(setup.DatePattern) {
    columns_.reserve(setup.ColumnTable.size());
    lineWidths_.push_back(0);
    for (ColumnDefinition& definition : setup.ColumnTable) {
        columns_.push_back(planColumn(definition));
        lineWidths_.push_back(lineWidths_.back() +
                              (columns_.back().imported ? columns_.back().width : 0));
    }
    const std::vector<bool> indexes = NeededIndexColumns(
        setup.ColumnTable,
        variant == AdisVariant::Runner ? kStoredDoNotImport : std::string_view(doNotImport_));
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        columns_[c].neededIndex = indexes[c];
    }
}

AdisValueWriter::Column AdisValueWriter::planColumn(ColumnDefinition& definition) const {
    Column column;
    const std::string_view notImported =
        variant_ == AdisVariant::Runner ? kStoredDoNotImport : std::string_view(doNotImport_);
    column.imported = !definition.Mnemonic.empty() && definition.Mnemonic != notImported;
    if (!column.imported) {
        return column;
    }
    if (variant_ == AdisVariant::Runner && definition.Width.empty()) {
        definition.Width = "1";
    }
    column.width = widthOf(definition.Width, context_.numbers);
    column.valueClass = ValueClassOf(definition);
    column.mnemonic = definition.Mnemonic;
    column.item = definition.ItemNumber;
    column.isDate = definition.IsDate;
    column.isTime = !definition.IsDate && definition.IsTime;
    if (!definition.DecimalSeparator.empty()) {
        column.decimalSeparator = definition.DecimalSeparator.front();
    }
    const double decimals = ToNumber(definition.Decimals, context_.numbers);
    column.decimals = decimals > 0 ? static_cast<int>(std::min(decimals, 99.0)) : 0;
    if (!definition.CorrectionFactor.empty()) {
        column.factorOperator = definition.CorrectionFactor.front();
        column.factor =
            ToNumber(std::string_view(definition.CorrectionFactor).substr(1), context_.numbers);
        column.factorPower = powerOfTenOf(column.factorOperator, column.factor);
    }
    column.plain = !column.isDate && !column.isTime && column.factorOperator == 0 &&
                   column.decimalSeparator == 0;
    // Values under a factor are read with the column's own decimal separator:
    // the source's numbers need not follow the locale of the machine.
    column.factorFormat = context_.numbers;
    if (column.decimalSeparator == '.' || column.decimalSeparator == ',') {
        column.factorFormat.decimalSeparator = column.decimalSeparator;
    }
    return column;
}

Status AdisValueWriter::appendValueLine(std::span<const std::string_view> cells, long rowNumber,
                                        std::string& out) {
    // The line's length is known in advance: make room once and fill it in place.
    const std::size_t lineStart = out.size();
    out.resize(lineStart + lineLength(cells.size()));
    if (!writeValueLine(cells, rowNumber, out.data() + lineStart)) {
        out.resize(lineStart);
        return takeFailure();
    }
    return Status::Ok();
}

namespace {

// Values are short: a few fixed-size moves instead of a call to memcpy each.
void copyValue(char* to, const char* from, std::size_t length) {
    if (length >= 8 && length <= 16) {
        std::memcpy(to, from, 8);
        std::memcpy(to + length - 8, from + length - 8, 8);
    } else if (length >= 4 && length < 8) {
        std::memcpy(to, from, 4);
        std::memcpy(to + length - 4, from + length - 4, 4);
    } else if (length < 4) {
        for (std::size_t i = 0; i < length; ++i) {
            to[i] = from[i];
        }
    } else {
        std::memcpy(to, from, length);
    }
}

} // namespace

bool AdisValueWriter::writeValueLine(std::span<const std::string_view> cells, long rowNumber,
                                     char* line) {
    const std::size_t count = std::min(cells.size(), columns_.size());
    const std::size_t prefix = kCrLf.size() + kValueLineStart.size();
    std::memcpy(line, "\r\nVN000000", prefix);
    std::memset(line + prefix, ' ', lineWidths_[count]);
    char* position = line + prefix;
    std::string_view value;
    for (std::size_t c = 0; c < count; ++c) {
        const Column& column = columns_[c];
        if (!column.imported) {
            continue;
        }
        const int columnNumber = static_cast<int>(c) + 1;
        if (column.plain) {
            value = cells[c];
        } else if (!convertValue(column, cells[c], rowNumber, columnNumber, value)) {
            return false;
        }
        // A text that fits, in a column no record needs as its index, has nothing to check.
        if (column.valueClass != ValueClass::Text || column.neededIndex ||
            value.size() > column.width) {
            checkValue(column, cells[c], value, rowNumber, columnNumber);
        }
        copyValue(position, value.data(), std::min(value.size(), column.width));
        position += column.width;
    }
    return true;
}

bool AdisValueWriter::convertValue(const Column& column, std::string_view cell, long rowNumber,
                                   int columnNumber, std::string_view& value) {
    value = cell;
    if (column.isDate) {
        converted_.clear();
        DateParseTrace trace;
        dateDigitsUnread_ = false;
        if (!cell.empty() && dates_.parse(cell, converted_, &trace)) {
            const std::string_view unread = trace.unread;
            // Digits right after what the pattern read belong to the same date
            // (a four-digit year under a two-digit pattern); a blank before
            // them (a time after the date) ends it.
            dateDigitsUnread_ = !unread.empty() && unread.front() >= '0' && unread.front() <= '9';
        } else if (!cell.empty()) {
            addFinding(column, cell, {}, rowNumber, columnNumber, FindingKind::Date,
                       Severity::Error);
            if (variant_ == AdisVariant::Converter || !dateMessageShown_) {
                context_.port.showMessage(msg::DateNotTranslated, MessageIcon::Warning,
                                          MessageButtons::Ok);
                dateMessageShown_ = true;
            }
            dateFailed_ = true;
            if (variant_ == AdisVariant::Converter) {
                failure_ = Status(ErrorCode::DateConversion,
                                  "the date \"" + std::string(cell) +
                                      "\" does not fit the date format \"" + datePattern_ + "\"",
                                  {}, rowNumber, columnNumber)
                               .withMessage(msg::DateNotTranslated);
                return false;
            }
        }
        value = converted_;
    } else if (column.isTime) {
        converted_.clear();
        AppendConvertedTime(converted_, cell);
        value = converted_;
    }
    if (column.factorOperator != 0) {
        // A factor of a power of ten moves the digits of a plain number: no
        // detour through a double, the same text.
        factored_.clear();
        if (column.factorPower &&
            AppendScaledDecimal(factored_, value, *column.factorPower, column.factorFormat)) {
            replaceDecimalSeparators(column.decimalSeparator, factored_);
        } else {
            factored_.assign(value);
            if (!applyFactor(column, factored_, rowNumber, columnNumber)) {
                return false;
            }
        }
        value = factored_;
    }
    if (column.decimalSeparator != 0) {
        shifted_.clear();
        appendShiftedDecimals(shifted_, value, column.decimalSeparator, column.decimals);
        value = shifted_;
    }
    return true;
}

bool AdisValueWriter::applyFactor(const Column& column, std::string& value, long rowNumber,
                                  int columnNumber) {
    const NumberFormat& format = column.factorFormat;
    const auto fail = [&](const std::string& why) {
        context_.port.showMessage(msg::WindowMemory, MessageIcon::Critical, MessageButtons::Ok);
        failure_ = {ErrorCode::FactorError, why, {}, rowNumber, columnNumber};
        return false;
    };
    // The product or quotient is written as text and read back as a number
    // before the division by ten; RoundToWrittenPrecision gives that number.
    std::optional<double> number;
    if (column.factorOperator == '*' || column.factorOperator == '/') {
        if (column.factorOperator == '/' && column.factor == 0) {
            return fail("the correction factor divides by zero");
        }
        const double cell = ToNumber(value, format);
        const double result =
            column.factorOperator == '*' ? cell * column.factor : cell / column.factor;
        if (!std::isfinite(result)) {
            return fail("the correction factor makes \"" + value + "\" too large");
        }
        number = RoundToWrittenPrecision(result, format);
    } else {
        number = ParseNumber(value, format);
    }
    // Every correction factor divides by ten once more, whatever its operator.
    if (number) {
        value.clear();
        AppendNumberText(value, *number / 10, format);
    } else {
        context_.port.showMessage(msg::FactorOnText, MessageIcon::Warning, MessageButtons::Ok);
    }
    replaceDecimalSeparators(column.decimalSeparator, value);
    return true;
}

namespace {

// Fewer rows are converted on the calling thread: helpers would not pay.
constexpr std::size_t kRowsForHelpers = 16384;

Status appendValueLinesHere(ImportSetup& setup, const EngineContext& context, AdisVariant variant) {
    AdisValueWriter writer(setup, context, variant);
    const SourceTable& table = setup.SourceTable;
    const std::size_t rows = table.rowCount();
    std::vector<std::string_view> cells(static_cast<std::size_t>(table.columnCount()));
    const std::size_t step = std::max<std::size_t>(rows / 200, 1);
    // Room for the whole text at once: growing it would hold two copies while
    // it moves, which for a large file is the peak of the converter's memory.
    setup.AdisText.reserve(setup.AdisText.size() +
                           rows * writer.lineLength(static_cast<std::size_t>(table.columnCount())) +
                           kCrLf.size() + kEndLine.size());
    for (std::size_t r = 0; r < rows; ++r) {
        if (context.stopRequested()) {
            setup.AdisFindings = writer.takeFindings();
            return StoppedStatus(setup.SourceFilePath);
        }
        table.row(r, cells);
        if (Status status = writer.appendValueLine(cells, table.sourceLine(r), setup.AdisText);
            !status.ok()) {
            setup.DateConversionFailed = writer.dateConversionFailed();
            setup.AdisFindings = writer.takeFindings();
            return status;
        }
        if (r % step == 0) {
            context.port.setProgress(static_cast<std::int64_t>(r) + 1);
        }
    }
    setup.DateConversionFailed = writer.dateConversionFailed();
    setup.AdisFindings = writer.takeFindings();
    return Status::Ok();
}

} // namespace

Status BuildAdisText(ImportSetup& setup, const EngineContext& context, AdisVariant variant,
                     unsigned threads) {
    setup.DateConversionFailed = false;
    setup.AdisFindings.clear();
    setup.AdisText = AdisHeaderFor(setup, context.language, variant);
    const std::size_t rows = setup.SourceTable.rowCount();
    context.port.startProgress(msg::ConvertingToAdis, static_cast<std::int64_t>(rows));
    threads = AdisTextThreads(threads);
    const Status status = threads > 1 && rows >= kRowsForHelpers
                              ? AppendValueLinesOnHelpers(setup, context, variant, threads)
                              : appendValueLinesHere(setup, context, variant);
    context.port.endProgress();
    if (!status.ok()) {
        return status;
    }
    setup.AdisFindings.merge(setup.SourceLetters);
    setup.AdisText += kCrLf;
    setup.AdisText += kEndLine;
    return Status::Ok();
}

} // namespace kolvane
