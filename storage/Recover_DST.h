// SPDX-License-Identifier: MIT
// Reading DST files (import setup files), current and earlier layout.
//
// A reader fills the import setup line by line. When the file ends early or a
// line does not hold what the layout puts there, reading stops and the values
// read so far stay in the setup (the converter relies on that), but the status
// names the line and what was expected there, so that callers can refuse to
// convert with a half-read setup.
#pragma once

#include "engine/ImportSetup.h"
#include "engine/Status.h"
#include "engine/StringTable.h"
#include "engine/UserPort.h"

#include <string>
#include <string_view>

namespace kolvane {

// DST files are small; anything larger is not one.
inline constexpr std::size_t kMaxDstFileSize = std::size_t{16} << 20;

// Read the current layout from text in memory; `name` names it in messages.
Status ReadDstText(ImportSetup& setup, const Language& language, std::string_view text,
                   const std::string& name);
// Read the earlier layout from text in memory.
Status ReadOldDstText(ImportSetup& setup, const Language& language, std::string_view text,
                      const std::string& name);

// Read from a file. A missing file shows msg::FileNotFound, clears DstFilePath and
// leaves the setup as it was.
Status ReadDstFile(ImportSetup& setup, const Language& language, UserPort& port,
                   const std::string& path);
Status ReadOldDstFile(ImportSetup& setup, const Language& language, UserPort& port,
                      const std::string& path);

// The converter's fix-up after either reader, before the staged values are
// copied: "NO IMPORTAR" becomes the "not imported" text of the current
// language, and a separator that is the word "Tabs" becomes the TAB character.
void FinishDstLoad(ImportSetup& setup, const Language& language);

} // namespace kolvane
