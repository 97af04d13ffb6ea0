// SPDX-License-Identifier: MIT
// The list of automatic imports: the registered DST paths, kept in the setting
// "Automatizaciones" as each entry preceded by a comma, and what each entry's
// DST file says about itself. Registering and removing entries is
// AutomaticImportRegistration's.
#pragma once

#include "engine/Status.h"
#include "engine/StringTable.h"
#include "storage/WinReg.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kolvane {

// Entry 1 of the list is element 0.
using AutomationList = std::vector<std::string>;

// Positions are 16-bit: the list holds at most this many entries.
inline constexpr std::size_t kMaxAutomations = 32767;

// The stored text's entries; " " (an empty list as stored) gives none.
AutomationList ParseAutomationList(std::string_view text);
std::string JoinAutomationList(const AutomationList& list);

// Appends the stored entries to `list`.
void Leer_Automatizaciones(WinReg& settings, AutomationList& list);

// Stores the list. A list the store cannot hold (an entry with a comma, more
// entries than positions) is refused whole: a truncated list is never stored.
// A store that cannot be written is a failure naming the store.
Status Guardar_Automatizaciones(WinReg& settings, const AutomationList& list);

// Changes the stored list in one step, under the store's lock: `change` is
// given the list as stored at that moment, and the list it leaves is checked
// and stored, so that two programs changing the list at once lose nothing. A
// failed `change` stores nothing. `stored` is the list as stored afterwards.
Status UpdateAutomations(WinReg& settings, const std::function<Status(AutomationList&)>& change,
                         AutomationList& stored);

// The failure of a store that cannot be written, naming it.
Status SettingsNotWritten(const WinReg& settings);

// Whether a DST path can be an entry of the list.
Status CheckAutomationPath(std::string_view dstPath);

// The position (1-based) of a path in the list: exact, case-sensitive.
std::optional<int> Existe_Automatizacion(const AutomationList& list, std::string_view dstPath);

// The description lines of a DST file (from its third line up to "//"), each
// followed by CR LF; for a missing file, msg::AutomationFilesMissing.
std::string AutomationExplanation(const std::string& dstPath, const Language& language);
// The third line of a DST file (the first line of its description); nothing
// when the file is missing or shorter.
std::optional<std::string> DstThirdLine(const std::string& dstPath);

} // namespace kolvane
