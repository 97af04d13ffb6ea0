// SPDX-License-Identifier: MIT
// "The program folder": the folder of the running executable, where the code
// dictionary, the ADIS files handed to the importer and the batch files live.
#pragma once

#include <string>

namespace kolvane {

// The folder of the running executable (absolute, without a trailing separator).
std::string ProgramFolder();

// The program folder when this user can write there; else the user's data
// folder ($XDG_DATA_HOME/kolvane, ~/.local/share/kolvane), created when
// missing. The first fallback is told once on standard error.
std::string WritableProgramFolder();

} // namespace kolvane
