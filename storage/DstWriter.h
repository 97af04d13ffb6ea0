// SPDX-License-Identifier: MIT
// Writing DST files (import setup files) in the current layout.
#pragma once

#include "engine/ImportSetup.h"
#include "engine/Status.h"
#include "engine/StringTable.h"

#include <string>
#include <string_view>

namespace kolvane {

// Whether a separator reads back from a DST as itself: one character other
// than "1", "2" and "3", or the captions of fixed columns, tabs and blanks.
bool SeparatorCanBeStored(const std::string& separator, const Language& language);

// The text of a DST file for the current setup. `sourceFileLine` is the source
// file the DST names, or "@" when the user is asked for it each time.
// Builds the ADIS header for the file, which normalises Width and Decimals of
// the imported columns in place. Values the layout cannot hold (a line break
// in a one-line value, a ";" in a column field, a description line "//") are
// refused before anything is written.
Status BuildDstText(ImportSetup& setup, const Language& language, std::string_view sourceFileLine,
                    std::string& text);

// Writes the DST file atomically: an existing file is replaced only once the
// new one is complete.
Status WriteDstFile(ImportSetup& setup, const Language& language, const std::string& path,
                    std::string_view sourceFileLine);

} // namespace kolvane
