// SPDX-License-Identifier: MIT
// kolvane-cli convert: a saved setup turns a source file into an ADIS file,
// as the converter does when a DST is opened and every step is confirmed.
#pragma once

#include <optional>
#include <string>
#include <vector>

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

// Parses the arguments after "convert"; on a usage error returns nothing and
// sets `error`.
std::optional<ConvertOptions> ParseConvertArguments(const std::vector<std::string>& arguments,
                                                    std::string& error);

int RunConvert(const ConvertOptions& options);

inline constexpr const char* kConvertUsage =
    "kolvane-cli convert SETUP.dst [--source FILE] [-o FILE | --output FILE] [--send-date TEXT]\n"
    "                    [--language SP|EN|DE|FR] [--decimal-separator C] [--old-layout]\n";

} // namespace kolvane::cli
