// SPDX-License-Identifier: MIT
#include "converter/ConverterApp.h"

#include "converter/AutomaticImportWizard.h"
#include "converter/CodeImportAction.h"
#include "converter/FileOpening.h"
#include "converter/HerdSoftwareLaunch.h"
#include "converter/ImportProcess.h"
#include "converter/RecentFiles.h"
#include "converter/Workflow.h"
#include "converter/frmElimAutom.h"
#include "converter/frmExplicacion.h"
#include "converter/frmLanguage.h"
#include "converter/frmMain.h"
#include "gui/QtText.h"

#include <QApplication>

namespace kolvane::converter {
namespace {

// Window designs hold Spanish string ids (1000 to 1261) where texts go.
FormLocaliser::TextSource stringTable(const Language& language) {
    return [&language](int number) -> std::optional<QString> {
        if (const auto text = language.FindTextForSpanishId(number)) {
            return FromAnsi(*text);
        }
        return std::nullopt;
    };
}

} // namespace

ConverterApp::ConverterApp(ConverterEnvironment environment)
    : environment_(std::move(environment)), settings_(environment_.registry),
      language_(settings_.language()), showFixedColumnsNote_(settings_.showDialog()),
      automaticImports_(settings_.automaticImports()), dialogs_(QStringLiteral("Kolvane")),
      localiser_(stringTable(language_)), working_(localiser_), codeProgress_(localiser_),
      port_(language_, dialogs_, working_),
      session_(language_, port_, environment_.clock), context_{language_,
                                                               settings_,
                                                               dialogs_,
                                                               port_,
                                                               codeProgress_,
                                                               localiser_,
                                                               session_,
                                                               environment_.clock,
                                                               environment_.codeDictionaryPath,
                                                               environment_.programFolder,
                                                               environment_.runnerProgram,
                                                               showFixedColumnsNote_,
                                                               automaticImports_,
                                                               environment_.registry} {
    // Splitting, cutting and converting can be stopped; the setup stays as it was.
    working_.setCancellable(true);
    QObject::connect(&working_, &Trabajando::cancelRequested, &session_.jobs(), &JobRunner::cancel);
}

Status ConverterApp::saveLanguageSettings() {
    if (!settings_.setLanguage(language_.LanguageCode()) ||
        !settings_.setShowDialog(showFixedColumnsNote_)) {
        return SettingsNotWritten(settings_.values());
    }
    // The list as stored, not the copy read at start: another program may
    // have registered or removed imports since.
    return UpdateAutomations(
        settings_.values(), [](AutomationList&) { return Status::Ok(); }, automaticImports_);
}

ConverterApp::~ConverterApp() {
    // The windows go before the state they were handed, the step windows
    // first: they may still tell the session as they go.
    if (workflow_) {
        workflow_->closeStepWindows();
        QObject::disconnect(&session_, nullptr, main_.get(), nullptr);
    }
    opening_.reset();
    workflow_.reset();
    main_.reset();
}

void ConverterApp::start(const QStringList& arguments) {
    recent_ = std::make_unique<RecentFiles>(settings_);
    main_ = std::make_unique<frmMain>(context_);
    workflow_ = std::make_unique<Workflow>(context_, *main_);
    opening_ = std::make_unique<FileOpening>(context_, *main_, *workflow_, *recent_);
    connectMainWindow();
    showRecentFiles();
    main_->restorePlacement();
    workflow_->loadCodeLists();
    main_->showMaximized();
    if (const auto problem = context_.registry.problem()) {
        // Read as empty, the settings would be lost silently at the next save.
        dialogs_.message(main_.get(), FromPath(*problem), QMessageBox::Warning, QMessageBox::Ok);
    }
    if (!arguments.isEmpty()) {
        opening_->openFromCommandLine(ToPath(arguments.join(QLatin1Char(' '))));
    }
}

void ConverterApp::connectMainWindow() {
    frmMain* main = main_.get();
    QObject::connect(main, &frmMain::openAsciiRequested, main,
                     [this] { opening_->mnuFileOpen_Click(); });
    QObject::connect(main, &frmMain::openDstRequested, main,
                     [this](bool oldLayout) { opening_->mnuOpenDST_Click(oldLayout); });
    QObject::connect(main, &frmMain::openPathRequested, main,
                     [this](const QString& path) { opening_->openPath(ToPath(path)); });
    QObject::connect(main, &frmMain::saveRequested, main,
                     [this](bool saveAs) { workflow_->saveActive(saveAs); });
    QObject::connect(main, &frmMain::setupRequested, main, [this] { workflow_->showSetup(); });
    QObject::connect(main, &frmMain::closeProcessRequested, main,
                     [this] { Cerrar_Proceso(context_, *workflow_, *main_); });
    QObject::connect(main, &frmMain::exitRequested, main, [this](bool askFirst) {
        if (!askFirst || ExitConfirmed(context_, *workflow_, *main_)) {
            main_->close();
        }
    });
    QObject::connect(main, &frmMain::languageRequested, main, [this] { changeLanguage(); });
    QObject::connect(main, &frmMain::helpTopicsRequested, main, [this] {
        frmExplicacion note(context_, main_.get());
        note.exec();
    });
    QObject::connect(main, &frmMain::codeImportRequested, main,
                     [this] { RecargarDb(context_, *main_, [this] { endWithoutSaving(); }); });
    QObject::connect(main, &frmMain::resultActionRequested, main,
                     [this](int stepNumber) { resultAction(stepNumber); });
    QObject::connect(workflow_.get(), &Workflow::importRequested, main,
                     [this] { resultAction(step::ToHerdSoftware); });
    QObject::connect(workflow_.get(), &Workflow::automaticImportRequested, main,
                     [this] { resultAction(step::BuildAutomaticImport); });
    QObject::connect(main, &frmMain::removeAutomationRequested, main, [this] {
        frmElimAutom removal(context_, main_.get());
        removal.exec();
    });
    QObject::connect(main, &frmMain::stepWindowActivated, main,
                     [this](int stepNumber) { workflow_->stepActivated(stepNumber); });
    recent_->onChange([this] { showRecentFiles(); });
    QObject::connect(main, &frmMain::closing, main, [this] { shutDown(); });
}

// Steps 6 to 8: the result window's text handed to the herd software, or
// its setup made an automatic import.
void ConverterApp::resultAction(int stepNumber) {
    if (stepNumber == step::ToHerdSoftware) {
        IntroducirHXDATA_Click(context_, *main_);
    } else if (stepNumber == step::BuildAutomaticImport) {
        Iniciar_Asistente(context_, *main_);
    } else if (stepNumber == step::OpenDataExchange) {
        HXDataExchange_Open(context_, *main_);
    }
}

// After the code import: the program ends at once and keeps nothing of this
// run, so that every window reads the new codes at the next start.
void ConverterApp::endWithoutSaving() {
    shutDown_ = true;
    session_.jobs().cancel();
    main_->close();
    QCoreApplication::quit();
}

void ConverterApp::showRecentFiles() {
    QStringList paths;
    for (const std::string& path : recent_->list()) {
        paths << FromPath(path);
    }
    main_->setRecentFiles(paths);
}

// The new language takes effect at the next start: the program ends now.
void ConverterApp::changeLanguage() {
    frmLanguage choice(context_, main_.get());
    choice.exec();
    const auto chosen = choice.chosenLanguage();
    if (!chosen) {
        return;
    }
    dialogs_.message(main_.get(), FromAnsi(language_.LoadText(msg::ClosingForNewLanguage)),
                     QMessageBox::Information, QMessageBox::Ok);
    language_.SetLanguage(*chosen);
    main_->close();
}

void ConverterApp::shutDown() {
    if (std::exchange(shutDown_, true)) {
        return;
    }
    session_.jobs().cancel();
    main_->savePlacement();
    const Status saved = saveLanguageSettings();
    if (!saved.ok()) {
        dialogs_.message(main_.get(), DescribeStatus(saved, language_), QMessageBox::Warning,
                         QMessageBox::Ok);
    }
    QCoreApplication::quit();
}

} // namespace kolvane::converter
