// SPDX-License-Identifier: MIT
// kolvane-cli convert: a saved setup turns a source file into an ADIS file,
// as the converter does when a DST is opened and every step is confirmed.
#pragma once

#include "cli/Command.h"

#include <optional>
#include <string>

namespace kolvane::cli {

struct ConvertOptions {
    std::string dstPath;
    std::optional<std::string> sourcePath;
    std::string outputPath = "-"; // "-" is standard output
    std::optional<std::string> sendDate;
    std::optional<std::string> language; // the stored language when not given
    std::optional<char> decimalSeparator;
    bool oldLayout = false;
};

// "convert": its arguments, read into ConvertOptions and run by RunConvert.
Command MakeConvertCommand();

int RunConvert(const ConvertOptions& options);

} // namespace kolvane::cli
