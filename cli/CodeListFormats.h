// SPDX-License-Identifier: MIT
// The code list as kolvane-cli codes prints it: a table lined up for people,
// or tab-separated values and JSON for scripts. Every text is printed in
// UTF-8 (the dictionary holds the code page's bytes).
#pragma once

#include "engine/StringTable.h"
#include "herdlink/CodeDictionary.h"

#include <string>
#include <string_view>
#include <vector>

namespace kolvane::cli {

enum class CodeListFormat { Table, Tsv, Json };

// The characters (code points) of UTF-8 text: what a terminal's columns count
// for every letter of the code page.
std::size_t Utf8Length(std::string_view utf8);

// One line per row, each column as wide as its widest cell in characters,
// columns parted by one blank; the last column is not padded.
std::string AlignedColumns(const std::vector<std::vector<std::string>>& rows);

// One field of a tab-separated line: tabs and line breaks become blanks.
std::string TsvField(std::string_view utf8);

// A JSON string, quotes included: quote, backslash and control characters escaped.
std::string JsonString(std::string_view utf8);

// The codes in `format`, data types and import permissions in `language`'s words.
std::string CodeListText(const std::vector<CodeRow>& rows, const Language& language,
                         CodeListFormat format);

} // namespace kolvane::cli
