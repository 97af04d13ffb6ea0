// SPDX-License-Identifier: MIT
#include "storage/DstWriter.h"

#include "engine/Crea_Adis.h"
#include "storage/AtomicFile.h"

namespace kolvane {
namespace {

// Every text item is followed by an empty line; the two send-date flags are
// written as numbers, with a blank before and after and no empty line.
class DstText {
public:
    void item(std::string_view text) {
        text_ += text;
        text_ += "\r\n\r\n";
    }
    void flag(bool set) { text_ += set ? " 1 \r\n" : " 0 \r\n"; }
    std::string take() { return std::move(text_); }

private:
    std::string text_;
};

bool holdsLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

Status refuse(std::string what) {
    return {ErrorCode::BadSetup, std::move(what)};
}

std::string descriptionItem(std::string_view description) {
    // The reader gives every description line a CR LF; a description that ends
    // in one gets no further empty line, so saving a loaded setup again does not
    // make its description grow.
    if (description.ends_with("\r\n")) {
        description.remove_suffix(2);
    }
    return std::string(description) + "\r\n//";
}

Status checkDescription(std::string_view description) {
    std::size_t start = 0;
    while (start <= description.size()) {
        std::size_t end = description.find('\n', start);
        if (end == std::string_view::npos) {
            end = description.size();
        }
        std::string_view line = description.substr(start, end - start);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line == "//") {
            return refuse("a description line cannot be \"//\"");
        }
        start = end + 1;
    }
    return Status::Ok();
}

Status checkOneLineValues(const ImportSetup& setup, std::string_view sourceFileLine) {
    const std::pair<std::string_view, const char*> values[] = {
        {sourceFileLine, "the source file path"},       {setup.Separator, "the separator"},
        {setup.DateFormatName, "the date format"},      {setup.DatePattern, "the date pattern"},
        {setup.LineFilterText, "the line filter text"},
    };
    for (const auto& [value, name] : values) {
        if (holdsLineBreak(value)) {
            return refuse(std::string(name) + " cannot hold a line break");
        }
    }
    if (setup.LineFilterText == "//") {
        return refuse("the line filter text cannot be \"//\"");
    }
    return checkDescription(setup.Description);
}

Status checkColumns(const ColumnTable& table) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        const ColumnDefinition& column = table[i];
        for (const std::string* field :
             {&column.Mnemonic, &column.ItemNumber, &column.RequiredIndex, &column.Width,
              &column.Decimals, &column.RecommendedWidth, &column.RecommendedDecimals,
              &column.DecimalSeparator, &column.CorrectionFactor}) {
            if (field->find(';') != std::string::npos || holdsLineBreak(*field)) {
                return refuse("column " + std::to_string(i + 1) + ": the value \"" + *field +
                              "\" cannot be stored (it holds \";\" or a line break)");
            }
        }
    }
    return Status::Ok();
}

} // namespace

// The reader takes "@1", "@2" and "@3" for fixed columns, tabs and blanks, and
// of any other code line only its last character.
bool SeparatorCanBeStored(const std::string& separator, const Language& language) {
    if (separator == kFixedColumns || separator == language.LoadText(msg::Tabs) ||
        separator == language.LoadText(msg::Space)) {
        return true;
    }
    if (separator.size() > 1) {
        return false;
    }
    return separator != "1" && separator != "2" && separator != "3";
}

namespace {

std::string separatorCode(const std::string& separator, const Language& language) {
    if (separator == kFixedColumns) {
        return "@1";
    }
    if (separator == language.LoadText(msg::Tabs)) {
        return "@2";
    }
    if (separator == language.LoadText(msg::Space)) {
        return "@3";
    }
    return "@" + separator;
}

std::string columnLine(const ColumnDefinition& column, const std::string& doNotImport) {
    const auto blankIfEmpty = [](const std::string& value) { return value.empty() ? " " : value; };
    std::string line = column.Mnemonic == doNotImport ? "0" : column.Mnemonic;
    for (const std::string* field :
         {&column.ItemNumber, &column.RequiredIndex, &column.Width, &column.Decimals,
          &column.RecommendedWidth, &column.RecommendedDecimals}) {
        line += ';';
        line += *field;
    }
    line += column.SpareFlag != 0 ? ";1" : ";0";
    line += column.IsDate ? ";1" : ";0";
    line += column.IsTime ? ";1" : ";0";
    line += ';' + blankIfEmpty(column.DecimalSeparator);
    line += ';' + blankIfEmpty(column.CorrectionFactor);
    return line;
}

std::string fixedColumnStartsLine(const FixedColumnStarts& starts) {
    std::string line;
    for (const std::int16_t start : starts) {
        line += std::to_string(start) + ";";
    }
    return line;
}

} // namespace

Status BuildDstText(ImportSetup& setup, const Language& language, std::string_view sourceFileLine,
                    std::string& text) {
    if (Status status = checkOneLineValues(setup, sourceFileLine); !status.ok()) {
        return status;
    }
    if (Status status = checkColumns(setup.ColumnTable); !status.ok()) {
        return status;
    }
    if (!SeparatorCanBeStored(setup.Separator, language)) {
        return refuse("the separator \"" + setup.Separator +
                      "\" cannot be stored: it would read back as another one");
    }
    const std::string header = BuildAdisHeader(setup, language);
    const std::string doNotImport = language.DoNotImportText();
    const bool fixed = setup.Separator == kFixedColumns;

    DstText dst;
    dst.item(sourceFileLine);
    dst.item(descriptionItem(setup.Description));
    dst.item(separatorCode(setup.Separator, language));
    dst.item(std::to_string(setup.TopLinesToSkip));
    dst.item(std::to_string(setup.BottomLinesToSkip));
    dst.item(setup.DateFormatName == kCustomDateFormat ? "@//" + setup.DatePattern
                                                       : setup.DateFormatName);
    dst.item(std::to_string(setup.LineFilterMode));
    dst.item(setup.LineFilterText + "\r\n//");
    dst.flag(setup.AskSendDate);
    dst.flag(setup.UseTodayAsSendDate);
    dst.item(header + "\r\n//");
    for (const ColumnDefinition& column : setup.ColumnTable) {
        dst.item(columnLine(column, doNotImport));
    }
    dst.item("//");
    if (fixed) {
        dst.item(fixedColumnStartsLine(setup.FixedColumnStarts));
    }
    dst.item("//");
    dst.item(setup.OptionZero ? "0=1" : "0=0");
    dst.item(setup.OptionTrigger ? "1=1" : "1=0");
    dst.item(setup.OptionErrExit ? "2=1" : "2=0");
    dst.item(setup.OptionErrOK ? "3=1" : "3=0");
    dst.item(setup.OptionInit ? "4=1" : "4=0");
    dst.item("//");
    text = dst.take();
    return Status::Ok();
}

Status WriteDstFile(ImportSetup& setup, const Language& language, const std::string& path,
                    std::string_view sourceFileLine) {
    std::string text;
    if (Status status = BuildDstText(setup, language, sourceFileLine, text); !status.ok()) {
        return {status.code(), status.message(), path};
    }
    return WriteFileAtomically(path, text);
}

} // namespace kolvane
