// SPDX-License-Identifier: MIT
// What the converter's windows share: the program's language and settings,
// its dialogs and user port, the localiser, the progress window of the code
// lists, and the import session that owns the one ImportSetup. The application
// object (ConverterApp) owns all of it and hands this to every window by
// reference; no window keeps a copy of import data.
#pragma once

#include "engine/Clock.h"
#include "engine/StringTable.h"
#include "gui/Dialogs.h"
#include "gui/FormLocaliser.h"
#include "gui/GuiPort.h"
#include "gui/ImportSession.h"
#include "gui/ProgressWindow.h"
#include "storage/AutomaticImportList.h"
#include "storage/Settings.h"

#include <string>

namespace kolvane::converter {

struct ConverterContext {
    const Language& language;
    Settings& settings;
    Dialogs& dialogs;
    GuiPort& port;                // messages and the working window's progress
    ProgressWindow& codeProgress; // BarraProgreso, while a code list is filled
    const FormLocaliser& localiser;
    ImportSession& session;
    const Clock& clock;
    std::string codeDictionaryPath; // CodigosAds.db beside the program
    std::string programFolder;      // where ADIS.ads and the batch files go
    std::string runnerProgram;      // Brennick, which the batch files start
    bool& showFixedColumnsNote;     // the fixed columns window shows its note
    AutomationList& automaticImports;
    RegistryBackend& registry; // the settings store, and where the herd software is registered
};

} // namespace kolvane::converter
