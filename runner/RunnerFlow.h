// SPDX-License-Identifier: MIT
// One run of the runner: start-up, the choice of the automatic import (from
// the command line or the selection window), the DST, the send date, the
// conversion into "adis.ads", the importer and its report. The long steps run
// on helper threads; the windows stay alive meanwhile.
#pragma once

#include "engine/Clock.h"
#include "engine/ImportSetup.h"
#include "herdlink/AutomaticRun.h"
#include "herdlink/HerdTexts.h"
#include "runner/ConfirmationWindow.h"
#include "runner/Dialogs.h"
#include "runner/GuiPort.h"
#include "runner/MainWindow.h"
#include "runner/RunnerCommandLine.h"
#include "runner/RunnerLocaliser.h"
#include "runner/SelectionWindow.h"
#include "runner/SendDateWindow.h"
#include "runner/WaitingWindow.h"
#include "runner/WorkingWindow.h"
#include "storage/Automatizacion.h"
#include "storage/RegistryBackend.h"

#include <QObject>
#include <memory>

namespace kolvane {

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

class RunnerFlow : public QObject {
    Q_OBJECT
public:
    explicit RunnerFlow(RunnerEnvironment environment, QObject* parent = nullptr);
    ~RunnerFlow() override;

    // The start-up: the raw command text after the program name.
    void start(const QString& commandText);

    MainWindow& mainWindow() { return main_; }
    WaitingWindow& waitingWindow() { return waiting_; }
    WorkingWindow& workingWindow() { return working_; }
    SelectionWindow* selectionWindow() { return selection_.get(); }
    ConfirmationWindow* confirmationWindow() { return confirmation_.get(); }
    SendDateWindow* sendDateWindow() { return sendDate_.get(); }
    const ImportSetup& setup() const { return setup_; }
    const HerdTexts& texts() const { return texts_; }

signals:
    void finished(int exitCode);

private:
    // Start-up and choice of the import (RunnerFlow.cpp).
    void handleArguments();
    void onStartClicked();
    void openSelection();
    void acceptSelection();
    void confirmThenRead();
    void recuperarTodo(const QString& dstPath);
    void askForSendDate();
    void acceptSendDate();
    void failRun(const QString& text, int exitCode);
    void end(int exitCode);

    // Conversion and import (RunnerImportStage.cpp).
    void elPrincipalContinua();
    bool chooseSourceFile(std::string& sourcePath);
    void onConverted(const RunnerConversion& conversion);
    void lanzarImportador();
    void onImported(const RunnerImport& imported);
    QString progressCaption(int engineCaption) const;

    QString herdText(int number) const { return localiser_.herdText(number); }
    void message(const QString& text, QMessageBox::Icon icon = QMessageBox::Information);

    RunnerEnvironment environment_;
    Language language_;
    HerdTexts texts_;
    RunnerLocaliser localiser_;
    AutomationList list_;
    RunnerArguments arguments_;
    ImportSetup setup_;
    QString sFile_;
    bool fromCommandLine_ = false;          // Fichero_LineaCom
    bool closeWithoutConfirmation_ = false; // Cerrar_Sin_Confirmar
    bool ended_ = false;
    bool reported_ = false; // the importer reported errors or warnings

    MainWindow main_;
    WaitingWindow waiting_;
    WorkingWindow working_;
    std::unique_ptr<SelectionWindow> selection_;
    std::unique_ptr<ConfirmationWindow> confirmation_;
    std::unique_ptr<SendDateWindow> sendDate_;
    GuiPort port_;
    QThread* worker_ = nullptr;
};

} // namespace kolvane
