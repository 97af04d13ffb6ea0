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
    bool strict = false;    // a value error writes nothing
    bool checkOnly = false; // only the findings, nothing converted is written
};

// "convert": its arguments, read into ConvertOptions and run by RunConvert.
Command MakeConvertCommand();
// "check": convert's setup and source, but only the value check's findings are printed.
Command MakeCheckCommand();

int RunConvert(const ConvertOptions& options);
// Exit 0 when the values are fine, 1 with errors, 3 with warnings only.
int RunCheck(const ConvertOptions& options);

} // namespace kolvane::cli
