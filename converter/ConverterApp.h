// SPDX-License-Identifier: MIT
// The converter's application object: the program-wide state of one run (the
// language, the settings, the list of automatic imports, the dialogs, the user
// port and the import session with the one ImportSetup), read at start-up and
// handed to the windows as a ConverterContext, and the main window with the
// pieces that act on its commands.
#pragma once

#include "converter/ConverterContext.h"
#include "gui/BarraProgreso.h"
#include "gui/Trabajando.h"
#include "storage/RegistryBackend.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace kolvane::converter {

class FileOpening;
class RecentFiles;
class Workflow;
class frmMain;

struct ConverterEnvironment {
    RegistryBackend& registry;
    const Clock& clock;
    std::string codeDictionaryPath;
    std::string programFolder; // where ADIS.ads and the batch files go
    std::string runnerProgram; // Brennick, which the batch files start
};

class ConverterApp {
public:
    // Reads "Language", "ShowDialog" and the list of automatic imports.
    explicit ConverterApp(ConverterEnvironment environment);
    ~ConverterApp();
    ConverterApp(const ConverterApp&) = delete;
    ConverterApp& operator=(const ConverterApp&) = delete;

    ConverterContext& context() { return context_; }
    Dialogs& dialogs() { return dialogs_; }
    ImportSession& session() { return session_; }
    const Language& language() const { return language_; }

    // What the converter keeps at exit: "Language", "ShowDialog" and the list
    // of automatic imports (the main window's placement goes first).
    Status saveLanguageSettings();

    // The start-up of the windows: the main window (placed as it was left,
    // then maximised), the code lists, and the DST named on the command line
    // (the arguments after the program's name).
    void start(const QStringList& arguments);
    frmMain& mainWindow() { return *main_; }
    Workflow& workflow() { return *workflow_; }
    FileOpening& fileOpening() { return *opening_; }

private:
    void connectMainWindow();
    void changeLanguage();
    void showRecentFiles();
    void resultAction(int step);
    void endWithoutSaving();
    void shutDown();

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
    std::unique_ptr<RecentFiles> recent_;
    std::unique_ptr<frmMain> main_;
    std::unique_ptr<Workflow> workflow_;
    std::unique_ptr<FileOpening> opening_;
    bool shutDown_ = false;
};

} // namespace kolvane::converter
