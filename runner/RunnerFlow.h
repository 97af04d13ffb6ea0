// SPDX-License-Identifier: MIT
// One run of the runner: start-up, the choice of the automatic import (from
// the command line or the selection window), the DST, the send date, the
// conversion into "adis.ads", the importer and its report. A controller: it
// talks to its windows through their functions and signals only, keeps the
// import setup in the import session and runs the long steps as jobs, while the
// windows stay alive.
#pragma once

#include "engine/Clock.h"
#include "gui/Dialogs.h"
#include "gui/FormLocaliser.h"
#include "gui/GuiPort.h"
#include "gui/ImportSession.h"
#include "herdlink/AutomaticRun.h"
#include "herdlink/HerdTexts.h"
#include "runner/Fecha_Ask.h"
#include "runner/RunnerCommandLine.h"
#include "runner/frmAutom.h"
#include "runner/frmBatMain.h"
#include "runner/frmMain.h"
#include "runner/frmWitingToEnd.h"
#include "storage/AutomaticImportList.h"
#include "storage/RegistryBackend.h"

#include <QObject>
#include <chrono>
#include <memory>
#include <optional>

namespace kolvane::runner {

struct RunnerEnvironment {
    RegistryBackend& registry;
    Dialogs& dialogs;
    const Clock& clock;
    QString programFolder; // where "adis.ads" is written
};

// How a run ends, as the program's exit status.
enum RunnerExit : int {
    kRunnerNoErrors = 0,     // imported, nothing reported (or the user closed the program)
    kRunnerNotConverted = 1, // the conversion failed or was stopped
    kRunnerBadSetup = 2,     // the DST or the command line could not be used
    kRunnerReported = 3,     // the importer reported errors or warnings
};

class RunnerFlow final : public QObject {
    Q_OBJECT
public:
    // Reads the language, the herd software's texts and the list of automatic
    // imports, and builds the main windows.
    explicit RunnerFlow(RunnerEnvironment environment, QObject* parent = nullptr);
    ~RunnerFlow() override;

    // The start-up: the raw command text after the program name.
    void start(const QString& commandText);

    // The windows, for tests that drive them as a user would.
    QWidget& mainWindow() { return main_; }
    QWidget& waitingWindow() { return waiting_; }
    QWidget* selectionWindow() { return selection_.get(); }
    QWidget* confirmationWindow() { return confirmation_.get(); }
    QWidget* sendDateWindow() { return sendDate_.get(); }
    const ImportSetup& setup() const { return session_.setup(); }
    const HerdTexts& texts() const { return texts_; }
    const GuiPort& port() const { return port_; }

signals:
    void finished(int exitCode);

private:
    void handleArguments();
    void confirmThenRead();
    void startClicked();
    void openSelection();
    void acceptSelection();
    void searchSetupFile();
    void runChosen(const QString& dstPath);
    void runDropped(const QString& dstPath);
    void Recuperar_Todo(const std::string& dstPath);
    void askForSendDate();
    void acceptSendDate();
    void El_Principal_Continua();
    bool chooseSourceFile(std::string& sourcePath);
    void converted(const std::optional<RunnerConversion>& conversion);
    void cancelConversion();
    void tellTooManyFields(const Status& status);
    // The setting "ImporterTimeout": false when it is unusable (the run ends, told why).
    bool readImporterLimit();
    void Lanzar_Importador();
    void imported(const std::optional<RunnerImport>& imported);
    void saveDetails();
    void openImporterReport();
    QString importerReportPath() const;
    void failRun(const QString& text, int exitCode);
    void end(int exitCode);

    QString herdText(int number) const;
    QString text(int number) const;
    // Nothing when the send date reads under the setup's format; else why not.
    std::optional<QString> sendDateRefusal(const std::string& sendDate) const;
    QString explanationOf(const std::string& dstPath) const;
    QString progressCaption(int engineCaption) const;
    FormLocaliser::TextSource textSource() const;
    void message(const QString& text, QMessageBox::Icon icon = QMessageBox::Information);

    RunnerEnvironment environment_;
    Language language_;
    HerdTexts texts_;
    AutomationList list_;
    FormLocaliser localiser_;
    RunnerArguments arguments_;
    std::string sFile_;
    bool fromCommandLine_ = false;          // Fichero_LineaCom
    bool closeWithoutConfirmation_ = false; // Cerrar_Sin_Confirmar
    bool ended_ = false;
    bool reported_ = false;       // the importer reported errors or warnings
    std::string wrongValues_;     // what the value check found wrong, for the details
    RunnerConversion conversion_; // the last conversion, to place the report's lines
    std::chrono::minutes importerLimit_ = kDefaultImporterTimeout;

    // The windows go after the session, whose jobs use them: the session (and
    // its helper thread) is gone before any window is. The waiting window
    // shows the conversion's progress: it comes before the port.
    frmWitingToEnd waiting_;
    GuiPort port_;
    frmMain main_;
    std::unique_ptr<frmAutom> selection_;
    std::unique_ptr<frmBatMain> confirmation_;
    std::unique_ptr<Fecha_Ask> sendDate_;
    ImportSession session_;
};

} // namespace kolvane::runner
