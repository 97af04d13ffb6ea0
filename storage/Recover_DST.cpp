// SPDX-License-Identifier: MIT
#include "storage/Recover_DST.h"

#include "engine/Numbers.h"
#include "storage/AtomicFile.h"

#include <charconv>
#include <limits>

namespace kolvane {
namespace {

constexpr std::string_view kEndMark = "//";
constexpr std::string_view kCrLf = "\r\n";

// Hands out the lines of a DST file (CR LF or LF) and words what went wrong.
class DstCursor {
public:
    DstCursor(std::string_view text, const std::string& name) : text_(text), name_(name) {}

    // The next line; false (with `error` set) when the file ends first.
    bool next(std::string_view& line, std::string_view expected) {
        if (position_ >= text_.size()) {
            error = {ErrorCode::BadFileFormat,
                     "the file ends here; expected " + std::string(expected), name_,
                     lineNumber_ + 1};
            return false;
        }
        std::size_t end = text_.find('\n', position_);
        if (end == std::string_view::npos) {
            end = text_.size();
        }
        line = text_.substr(position_, end - position_);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        position_ = end + 1;
        ++lineNumber_;
        return true;
    }

    bool skip(std::string_view expected) {
        std::string_view ignored;
        return next(ignored, expected);
    }

    bool fail(std::string_view expected, std::string_view found) {
        error = {ErrorCode::BadFileFormat,
                 "expected " + std::string(expected) + ", found \"" + std::string(found) + "\"",
                 name_, lineNumber_};
        return false;
    }

    template <typename Integer> bool readInteger(Integer& value, std::string_view expected) {
        std::string_view line;
        if (!next(line, expected)) {
            return false;
        }
        return parseInteger(line, value) || fail(expected, line);
    }

    template <typename Integer> static bool parseInteger(std::string_view text, Integer& value) {
        const std::size_t first = text.find_first_not_of(' ');
        if (first == std::string_view::npos) {
            return false;
        }
        text = text.substr(first, text.find_last_not_of(' ') - first + 1);
        if (!text.empty() && text.front() == '+') {
            text.remove_prefix(1);
        }
        long long wide = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), wide);
        if (ec != std::errc{} || end != text.data() + text.size() ||
            wide < std::numeric_limits<Integer>::min() ||
            wide > std::numeric_limits<Integer>::max()) {
            return false;
        }
        value = static_cast<Integer>(wide);
        return true;
    }

    // A flag written as a number: true when it reads as the integer 1.
    bool readFlag(bool& flag, std::string_view expected) {
        int value = 0;
        if (!readInteger(value, expected)) {
            return false;
        }
        flag = value == 1;
        return true;
    }

    // Whether the line read last was ended by a line break (a file cut inside
    // its last line was not).
    bool lastLineEnded() const { return position_ <= text_.size(); }

    Status error;

private:
    std::string_view text_;
    const std::string& name_;
    std::size_t position_ = 0;
    long lineNumber_ = 0;
};

// Cuts a column line at ";" into `count` fields, the last one taking the rest.
bool cutFields(std::string_view line, std::size_t count, std::string_view* fields) {
    for (std::size_t i = 0; i + 1 < count; ++i) {
        const std::size_t semicolon = line.find(';');
        if (semicolon == std::string_view::npos) {
            return false;
        }
        fields[i] = line.substr(0, semicolon);
        line.remove_prefix(semicolon + 1);
    }
    fields[count - 1] = line;
    return true;
}

bool readText(DstCursor& cursor, std::string& text, std::string_view expected) {
    std::string_view line;
    if (!cursor.next(line, expected)) {
        return false;
    }
    text = line;
    return true;
}

std::string emptyIfBlank(std::string_view field) {
    return field == " " ? std::string() : std::string(field);
}

// Fills a column definition from the fields of a column line (11 or 12 fields).
bool readColumnLine(DstCursor& cursor, std::string_view line, bool currentLayout,
                    ColumnDefinition& column) {
    const std::size_t count = currentLayout ? 12 : 11;
    std::string_view fields[12];
    if (!cutFields(line, count, fields)) {
        return cursor.fail(
            "a column line of " + std::to_string(count) + " fields separated by \";\"", line);
    }
    column.Mnemonic = currentLayout && fields[0] == "0" ? std::string(kStoredDoNotImport)
                                                        : std::string(fields[0]);
    column.ItemNumber = fields[1];
    column.RequiredIndex = fields[2];
    column.Width = fields[3];
    column.Decimals = fields[4];
    column.RecommendedWidth = fields[5];
    column.RecommendedDecimals = fields[6];
    // A width or decimals out of range would write value lines that do not
    // match the definition line (or ask for gigabytes): the setup is unusable.
    // A width of 0 is what the writer stores for a column that has none.
    if (!IsBlank(column.Width) && !WholeNumberIn(column.Width, 0, kMaxColumnWidth)) {
        return cursor.fail("a column width from 0 to " + std::to_string(kMaxColumnWidth), line);
    }
    if (!IsBlank(column.Decimals) && !WholeNumberIn(column.Decimals, 0, kMaxColumnDecimals)) {
        return cursor.fail("decimals from 0 to " + std::to_string(kMaxColumnDecimals), line);
    }
    int flags[3] = {};
    for (int i = 0; i < 3; ++i) {
        if (!DstCursor::parseInteger(fields[7 + i], flags[i])) {
            return cursor.fail("the flags of a column line as numbers", line);
        }
    }
    column.SpareFlag = flags[0] == 1 ? 1 : 0;
    column.IsDate = flags[1] == 1;
    column.IsTime = flags[2] == 1;
    column.DecimalSeparator = emptyIfBlank(fields[10]);
    column.CorrectionFactor = currentLayout ? emptyIfBlank(fields[11]) : std::string();
    return true;
}

// The date line: a format name, or "@//" and the user's own pattern.
void decodeDateLine(std::string_view line, DstStaging& staging) {
    // A pattern too short to fill the nine characters of the layout's test is
    // still the user's own pattern, never a format name.
    if (line.substr(0, 3) == "@//") {
        staging.DateFormatName = std::string(kCustomDateFormat);
        staging.DatePattern = std::string(line.substr(3));
    } else if (line.size() < 9) {
        staging.DateFormatName = std::string(line);
    } else if (line.front() == '@') {
        staging.DateFormatName = std::string(kCustomDateFormat);
        staging.DatePattern = std::string(line.substr(3));
    }
}

std::string decodeSeparator(std::string_view code, const Language& language) {
    if (code == "@1") {
        return std::string(kFixedColumns);
    }
    if (code == "@2") {
        return language.LoadText(msg::Tabs);
    }
    if (code == "@3") {
        return " ";
    }
    return std::string(code.substr(code.size() - 1));
}

bool readHeader(DstCursor& cursor, ImportSetup& setup) {
    std::string header;
    std::string_view line;
    for (;;) {
        if (!cursor.next(line, "the ADIS header lines or \"//\"")) {
            return false;
        }
        if (line == kEndMark) {
            break;
        }
        header.append(line);
        header.append(kCrLf);
    }
    if (!header.empty()) {
        header.resize(header.size() - kCrLf.size());
    }
    setup.StoredAdisHeader = std::move(header);
    return true;
}

bool readColumns(DstCursor& cursor, ImportSetup& setup, bool currentLayout) {
    setup.ColumnTable.assign(1, ColumnDefinition{});
    std::string_view line;
    if (!cursor.skip("an empty line before the column lines") ||
        !cursor.next(line, "a column line or \"//\"")) {
        return false;
    }
    for (std::size_t i = 0; line != kEndMark; ++i) {
        setup.ColumnTable.emplace_back();
        if (!readColumnLine(cursor, line, currentLayout, setup.ColumnTable[i]) ||
            !cursor.skip("an empty line after a column line") ||
            !cursor.next(line, "a column line or \"//\"")) {
            return false;
        }
    }
    return true;
}

bool readFixedColumnStarts(DstCursor& cursor, ImportSetup& setup) {
    setup.FixedColumnStarts.clear();
    if (!cursor.skip("an empty line after the column lines")) {
        return false;
    }
    if (setup.Staging.Separator != kFixedColumns) {
        return true;
    }
    std::string_view line;
    if (!cursor.next(line, "the fixed column starts")) {
        return false;
    }
    std::string_view rest = line;
    while (!rest.empty()) {
        const std::size_t semicolon = rest.find(';');
        std::int16_t start = 0;
        if (semicolon == std::string_view::npos ||
            !DstCursor::parseInteger(rest.substr(0, semicolon), start)) {
            return cursor.fail("the fixed column starts, each a number followed by \";\"", line);
        }
        setup.FixedColumnStarts.push_back(start);
        rest.remove_prefix(semicolon + 1);
    }
    return cursor.skip("an empty line after the fixed column starts");
}

// Options are only ever set by reading, never cleared. The earlier layout's
// lines are recognised by their first characters (as many as the count says).
bool readOptionLines(DstCursor& cursor, ImportSetup& setup, bool currentLayout) {
    struct Option {
        bool& flag;
        std::string_view current;
        std::string_view earlier;
        std::size_t earlierPrefix;
    };
    const Option options[] = {
        {setup.OptionZero, "0=1", "Ceros=1", 7},
        {setup.OptionTrigger, "1=1", "Encadenadas=1", 13},
        {setup.OptionErrExit, "2=1", "ERREXIT=1", 9},
        {setup.OptionErrOK, "3=1", "ERROK=1", 9},
        {setup.OptionInit, "4=1", "Init=1", 6},
    };
    if (!cursor.skip("\"//\" after the column section") || !cursor.skip("an empty line")) {
        return false;
    }
    for (std::size_t i = 0; i < std::size(options); ++i) {
        std::string_view line;
        if ((i > 0 && !cursor.skip("an empty line between option lines")) ||
            !cursor.next(line, "an option line")) {
            return false;
        }
        const Option& option = options[i];
        if (currentLayout ? line == option.current
                          : line.substr(0, option.earlierPrefix) == option.earlier) {
            option.flag = true;
        }
    }
    // A file cut inside its last lines would read as complete with an option lost.
    if (!cursor.lastLineEnded()) {
        return cursor.fail("the last option line ended by a line break", "");
    }
    std::string_view end;
    return !currentLayout ||
           (cursor.skip("an empty line after the option lines") &&
            cursor.next(end, "\"//\" at the end of the file") &&
            (end == kEndMark || cursor.fail("\"//\" at the end of the file", end)));
}

// A negative count of lines to skip has no meaning: the setup is unusable.
bool readLineCount(DstCursor& cursor, std::int16_t& count, std::string_view expected) {
    return cursor.readInteger(count, expected) &&
           (count >= 0 ||
            cursor.fail(std::string(expected) + " (0 or more)", std::to_string(count)));
}

bool readCurrentLayout(DstCursor& cursor, ImportSetup& setup, const Language& language) {
    DstStaging& staging = setup.Staging;
    staging = DstStaging{};
    std::string_view line;
    if (!readText(cursor, staging.SourceFilePath, "the source file path")) {
        return false;
    }
    if (!cursor.skip("an empty line after the source file path") ||
        !cursor.next(line, "the description")) {
        return false;
    }
    while (line != kEndMark) {
        staging.Description.append(line);
        staging.Description.append(kCrLf);
        if (!cursor.next(line, "a description line or \"//\"")) {
            return false;
        }
    }
    do {
        if (!cursor.next(line, "the separator code")) {
            return false;
        }
    } while (line.empty());
    staging.Separator = decodeSeparator(line, language);
    if (!cursor.skip("an empty line after the separator code") ||
        !readLineCount(cursor, staging.TopLinesToSkip, "the number of lines to skip at the top") ||
        !cursor.skip("an empty line") ||
        !readLineCount(cursor, staging.BottomLinesToSkip,
                       "the number of lines to skip at the end") ||
        !cursor.skip("an empty line") || !cursor.next(line, "the date format")) {
        return false;
    }
    decodeDateLine(line, staging);
    if (!cursor.skip("an empty line") ||
        !cursor.readInteger(setup.LineFilterMode, "the line filter mode (0, 1 or 2)") ||
        !cursor.skip("an empty line") || !cursor.next(line, "the line filter text")) {
        return false;
    }
    setup.LineFilterText = line;
    return cursor.skip("\"//\" after the line filter text") && cursor.skip("an empty line") &&
           cursor.readFlag(staging.AskSendDate, "the send date flag (1 or 0)") &&
           cursor.readFlag(setup.UseTodayAsSendDate, "the today's date flag (1 or 0)") &&
           readHeader(cursor, setup) && readColumns(cursor, setup, true) &&
           readFixedColumnStarts(cursor, setup) && readOptionLines(cursor, setup, true);
}

bool readEarlierLayout(DstCursor& cursor, ImportSetup& setup) {
    DstStaging& staging = setup.Staging;
    staging = DstStaging{};
    std::string_view line;
    if (!readText(cursor, staging.SourceFilePath, "the source file path")) {
        return false;
    }
    if (!cursor.skip("the line after the source file path") ||
        !cursor.next(line, "the separator")) {
        return false;
    }
    while (line.empty()) {
        staging.Description.append(kCrLf);
        if (!cursor.next(line, "the separator")) {
            return false;
        }
    }
    staging.Separator = line;
    if (!cursor.skip("a line before the top lines") ||
        !readLineCount(cursor, staging.TopLinesToSkip, "the number of lines to skip at the top") ||
        !cursor.skip("a line before the bottom lines") ||
        !readLineCount(cursor, staging.BottomLinesToSkip,
                       "the number of lines to skip at the end") ||
        !cursor.skip("a line before the date format") || !cursor.next(line, "the date format")) {
        return false;
    }
    decodeDateLine(line, staging);
    if (!cursor.skip("a line before the send date flag") ||
        !cursor.readFlag(staging.AskSendDate, "the send date flag (1 or 0)") ||
        !readHeader(cursor, setup) || !readColumns(cursor, setup, false) ||
        !readFixedColumnStarts(cursor, setup) || !readOptionLines(cursor, setup, false)) {
        return false;
    }
    setup.LineFilterMode = 0;
    setup.LineFilterText = " ";
    return true;
}

Status readFromFile(ImportSetup& setup, const Language& language, UserPort& port,
                    const std::string& path, bool currentLayout) {
    std::string text;
    Status read = ReadWholeFile(path, text, kMaxDstFileSize);
    if (read.code() == ErrorCode::FileNotFound) {
        // The path on a second line: the user sees which file is missing.
        port.showText(language.LoadText(msg::FileNotFound) + '\n' + path, MessageIcon::Critical,
                      MessageButtons::Ok);
        setup.DstFilePath.clear();
        return read;
    }
    if (!read.ok()) {
        return read;
    }
    return currentLayout ? ReadDstText(setup, language, text, path)
                         : ReadOldDstText(setup, language, text, path);
}

} // namespace

Status ReadDstText(ImportSetup& setup, const Language& language, std::string_view text,
                   const std::string& name) {
    DstCursor cursor(text, name);
    return readCurrentLayout(cursor, setup, language) ? Status::Ok() : cursor.error;
}

Status ReadOldDstText(ImportSetup& setup, const Language&, std::string_view text,
                      const std::string& name) {
    DstCursor cursor(text, name);
    return readEarlierLayout(cursor, setup) ? Status::Ok() : cursor.error;
}

Status ReadDstFile(ImportSetup& setup, const Language& language, UserPort& port,
                   const std::string& path) {
    return readFromFile(setup, language, port, path, true);
}

Status ReadOldDstFile(ImportSetup& setup, const Language& language, UserPort& port,
                      const std::string& path) {
    return readFromFile(setup, language, port, path, false);
}

void FinishDstLoad(ImportSetup& setup, const Language& language) {
    const std::string doNotImport = language.DoNotImportText();
    for (ColumnDefinition& column : setup.ColumnTable) {
        if (column.Mnemonic == kStoredDoNotImport) {
            column.Mnemonic = doNotImport;
        }
    }
    if (setup.Staging.Separator == "Tabs") {
        setup.Staging.Separator = "\t";
    }
}

} // namespace kolvane
