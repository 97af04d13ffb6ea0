// SPDX-License-Identifier: MIT
// The converter's application object: the program-wide state of one run (the
// language, the settings, the list of automatic imports, the dialogs, the user
// port and the import session with the one ImportSetup), read at start-up and
// handed to the windows as a ConverterContext.
#pragma once

#include "converter/ConverterContext.h"
#include "gui/BarraProgreso.h"
#include "gui/Trabajando.h"
#include "storage/RegistryBackend.h"

#include <QString>

namespace kolvane::converter {

struct ConverterEnvironment {
    RegistryBackend& registry;
    const Clock& clock;
    std::string codeDictionaryPath;
    std::string programFolder; // where ADIS.ads and the batch files go
};

class ConverterApp {
public:
    // Reads "Language", "ShowDialog" and the list of automatic imports.
    explicit ConverterApp(ConverterEnvironment environment);
    ConverterApp(const ConverterApp&) = delete;
    ConverterApp& operator=(const ConverterApp&) = delete;

    ConverterContext& context() { return context_; }
    Dialogs& dialogs() { return dialogs_; }
    ImportSession& session() { return session_; }
    const Language& language() const { return language_; }

    // What the converter keeps at exit: "Language", "ShowDialog" and the list
    // of automatic imports (the main window adds its placement first).
    Status saveLanguageSettings();

private:
    ConverterEnvironment environment_;
    Settings settings_;
    Language language_;
    bool showFixedColumnsNote_;
    AutomationList automaticImports_;
    Dialogs dialogs_;
    FormLocaliser localiser_;
    Trabajando working_;
    BarraProgreso codeProgress_;
    GuiPort port_;
    ImportSession session_;
    ConverterContext context_;
};

} // namespace kolvane::converter
