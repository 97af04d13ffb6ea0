// SPDX-License-Identifier: MIT
// The engine's error policy: operations return a Status that carries a code,
// the file, line and column it concerns, and a message for the user: an English
// text, and the number of the string-table message that says it in the user's
// language where the table has one.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace kolvane {

class Language;

enum class ErrorCode {
    None,
    FileNotFound,        // the file does not exist
    NotAFile,            // the path names a folder or a device
    FileUnreadable,      // the file exists but cannot be opened or read
    TooFewLines,         // the file ends inside the lines to skip at the top
    LineTooLong,         // a line exceeds the reader's bound
    TooManyColumns,      // more columns than a 16-bit count allows
    NoLinesToImport,     // the first line to convert is empty (msg::NoLinesToImport)
    ColumnCountMismatch, // a row has more fields than the first (msg::ColumnCountMismatch)
    BadSetup,            // the import setup cannot be used as it stands
    DateConversion,      // a date cell cannot be converted (msg::DateNotTranslated)
    FactorError,         // a correction factor cannot be applied (the converter shows
                         // msg::WindowMemory, which does not describe it: the status names none)
    BadFileFormat,       // a setup file or other input does not have the expected layout
    WriteFailed,         // a file could not be written
    Cancelled,           // the user or the caller stopped the operation
};

class Status {
public:
    Status() = default;
    Status(ErrorCode code, std::string message, std::string path = {}, long line = 0,
           int column = 0)
        : code_(code), message_(std::move(message)), path_(std::move(path)), line_(line),
          column_(column) {}

    static Status Ok() { return {}; }

    // The same status, naming the string-table message (msg::<name>) that tells
    // the user about it.
    Status withMessage(int messageNumber) const& {
        return Status(*this).withMessage(messageNumber);
    }
    Status withMessage(int messageNumber) && {
        messageNumber_ = messageNumber;
        return std::move(*this);
    }
    // The same status about another file: line, column and message stay.
    Status withPath(std::string path) && {
        path_ = std::move(path);
        return std::move(*this);
    }

    bool ok() const { return code_ == ErrorCode::None; }
    ErrorCode code() const { return code_; }
    const std::string& message() const { return message_; }
    const std::string& path() const { return path_; }
    long line() const { return line_; }
    int column() const { return column_; }
    int messageNumber() const { return messageNumber_; } // 0: none

    // "<path>: line <n>, column <c>: <message>", leaving out the parts that are not known.
    std::string describe() const;
    // The same in the language's words: the text of the message number when the
    // status names one that the table holds, else the English message.
    std::string describe(const Language& language) const;

private:
    ErrorCode code_ = ErrorCode::None;
    std::string message_;
    std::string path_;
    long line_ = 0;
    int column_ = 0;
    int messageNumber_ = 0;

    std::string describeWith(std::string_view text) const;
};

} // namespace kolvane
