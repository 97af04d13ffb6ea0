// SPDX-License-Identifier: MIT
// How kolvane-cli imports names an entry of the automatic-import list: by the
// number "imports list" shows, or by the setup file's path, as given or
// relative to the current folder (the list holds full paths).
#pragma once

#include "engine/Status.h"
#include "storage/AutomaticImportList.h"

#include <optional>
#include <string>

namespace kolvane::cli {

// The full path the list keeps for `given`: made absolute against the current
// folder, "." and ".." taken out. Links are not followed: the path stays the
// one the user knows.
std::string RegisteredForm(const std::string& given);

// The position (1-based) of the entry `given` names. An argument of digits
// only is a number (a file called "2" is "./2"). Nothing, with `problem` set,
// when no entry matches.
std::optional<int> FindImportEntry(const AutomationList& list, const std::string& given,
                                   std::string& problem);

// A setup file's name ends in ".dst" (any case): the batch file takes its
// name from the rest.
Status CheckSetupFileName(const std::string& path);

} // namespace kolvane::cli
