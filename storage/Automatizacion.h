// SPDX-License-Identifier: MIT
// The list of automatic imports: the registered DST paths, kept in the setting
// "Automatizaciones" as each entry preceded by a comma.
#pragma once

#include "engine/Status.h"
#include "storage/WinReg.h"

#include <string>
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
Status Guardar_Automatizaciones(WinReg& settings, const AutomationList& list);

// Whether a DST path can be an entry of the list.
Status CheckAutomationPath(std::string_view dstPath);

} // namespace kolvane
