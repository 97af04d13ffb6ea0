// SPDX-License-Identifier: MIT
// The engine's error policy: operations return a Status that carries a code,
// the file, line and column it concerns, and a message for the user.
#pragma once

#include <string>

namespace kolvane {

enum class ErrorCode {
    None,
    FileNotFound,        // the file does not exist
    NotAFile,            // the path names a folder or a device
    FileUnreadable,      // the file exists but cannot be opened or read
    TooFewLines,         // the file ends inside the lines to skip at the top
    LineTooLong,         // a line exceeds the reader's bound
    TooManyColumns,      // more columns than a 16-bit count allows
    NoLinesToImport,     // the first line to convert is empty (message 250)
    ColumnCountMismatch, // a row has more fields than the first (message 178)
    BadSetup,            // the import setup cannot be used as it stands
    DateConversion,      // a date cell cannot be converted (message 152)
    FactorError,         // a correction factor cannot be applied (message 160)
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

    bool ok() const { return code_ == ErrorCode::None; }
    ErrorCode code() const { return code_; }
    const std::string& message() const { return message_; }
    const std::string& path() const { return path_; }
    long line() const { return line_; }
    int column() const { return column_; }

    // "<path>: line <n>, column <c>: <message>", leaving out the parts that are not known.
    std::string describe() const;

private:
    ErrorCode code_ = ErrorCode::None;
    std::string message_;
    std::string path_;
    long line_ = 0;
    int column_ = 0;
};

} // namespace kolvane
