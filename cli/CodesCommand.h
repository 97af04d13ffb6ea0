// SPDX-License-Identifier: MIT
// kolvane-cli codes: the code dictionary, searched, or refilled from the herd software.
#pragma once

#include "cli/CodeListFormats.h"
#include "cli/Command.h"
#include "herdlink/CodeDictionary.h"
#include "storage/ProgramFolder.h"

#include <optional>
#include <string>

namespace kolvane::cli {

struct CodesOptions {
    std::optional<std::string> text;
    std::string database = ProgramFolder() + "/" + kCodeDictionaryFile;
    std::optional<std::string> language;
    bool import = false;
    CodeListFormat format = CodeListFormat::Table;
};

// "codes": its arguments, read into CodesOptions and run by RunCodes.
Command MakeCodesCommand();

int RunCodes(const CodesOptions& options);

} // namespace kolvane::cli
