// SPDX-License-Identifier: MIT
#include "runner/RunnerFlow.h"

#include "herdlink/QtText.h"
#include "storage/AutomaticImports.h"
#include "storage/WinReg.h"

#include <QThread>

namespace kolvane {
namespace {

constexpr int kInsertDateMessage = 239;
constexpr int kDateRequiredMessage = 238;

// The console of the batch file that started the runner: on Linux the one-line
// script hands its own process to the runner (exec), so there is no console to
// close, and no other process is ever ended.
void Cerrar_DOS(const QString&) {}

} // namespace

RunnerFlow::RunnerFlow(RunnerEnvironment environment, QObject* parent)
    : QObject(parent), environment_(environment), localiser_(texts_, language_),
      port_(language_, environment.dialogs, working_,
            [this](int caption) { return progressCaption(caption); }) {
    connect(main_.ui.InitBotton, &QPushButton::clicked, this, &RunnerFlow::onStartClicked);
    connect(&main_, &MainWindow::closed, this, [this] { end(kRunnerNoErrors); });
    connect(&waiting_, &WaitingWindow::done, this,
            [this] { end(reported_ ? kRunnerReported : kRunnerNoErrors); });
}

RunnerFlow::~RunnerFlow() {
    if (worker_ != nullptr) {
        worker_->wait();
    }
}

void RunnerFlow::start(const QString& commandText) {
    WinReg settings(environment_.registry);
    language_.SetLanguage(settings.Leer_Setting("Language", "EN", 2));
    list_.clear();
    texts_ = HerdTexts::Fetch(environment_.registry);
    Leer_Automatizaciones(settings, list_);
    arguments_ = ParseRunnerArguments(ToAnsi(commandText));
    for (QWidget* window : std::initializer_list<QWidget*>{&main_, &waiting_, &working_}) {
        localiser_.localise(*window);
    }
    main_.ui.Label1->setText(herdText(herdtext::PressStart));
    main_.ui.InitBotton->setFocus(); // Enter or Space starts, without the mouse
    if (!arguments_.any()) {
        main_.show(); // interactive: the user presses Start
        return;
    }
    handleArguments();
}

void RunnerFlow::handleArguments() {
    sFile_ = FromAnsi(arguments_.dstPath);
    if (!arguments_.namesDstFile()) {
        main_.show();
        message(herdText(herdtext::NotADstFile), QMessageBox::Warning);
        return;
    }
    fromCommandLine_ = true;
    Cerrar_DOS(sFile_);
    closeWithoutConfirmation_ = arguments_.closeWithoutConfirmation;
    if (arguments_.startWithoutConfirmation) {
        recuperarTodo(sFile_);
    } else {
        confirmThenRead();
    }
}

void RunnerFlow::confirmThenRead() {
    confirmation_ = std::make_unique<ConfirmationWindow>();
    localiser_.localise(*confirmation_);
    auto& ui = confirmation_->ui;
    ui.txtAutomatition->setText(sFile_);
    ui.txtAutomatition->setEnabled(false);
    const auto line = DstThirdLine(ToAnsi(sFile_));
    ui.txtexplanation->setPlainText(line ? FromAnsi(*line) : herdText(herdtext::DstMissing));
    connect(ui.OKButton, &QPushButton::clicked, this, [this] {
        confirmation_->hide();
        recuperarTodo(sFile_);
    });
    connect(ui.CancelButton, &QPushButton::clicked, this, [this] {
        confirmation_->hide();
        end(kRunnerNoErrors);
    });
    confirmation_->show();
}

void RunnerFlow::onStartClicked() {
    if (fromCommandLine_) {
        recuperarTodo(sFile_);
        return;
    }
    sFile_.clear();
    main_.hide();
    openSelection();
}

void RunnerFlow::openSelection() {
    main_.ui.Label1->setText(herdText(herdtext::Choosing));
    selection_ = std::make_unique<SelectionWindow>();
    localiser_.localise(*selection_);
    auto& ui = selection_->ui;
    for (const auto& entry : list_) {
        ui.cmbAutomatizaciones->addItem(FromAnsi(entry));
    }
    ui.cmbAutomatizaciones->setCurrentIndex(-1);
    ui.lbExplicacion->clear();
    connect(ui.cmbAutomatizaciones, &QComboBox::currentTextChanged, this,
            [this](const QString& path) {
                const auto line = DstThirdLine(ToAnsi(path));
                selection_->ui.lbExplicacion->setText(line ? FromAnsi(*line)
                                                           : herdText(herdtext::DstMissing));
            });
    connect(ui.OkButton, &QPushButton::clicked, this, &RunnerFlow::acceptSelection);
    connect(ui.Cancel, &QPushButton::clicked, this, [this] {
        selection_->hide();
        main_.ui.Label1->setText(herdText(herdtext::PressStart));
        main_.show();
    });
    selection_->show();
    ui.cmbAutomatizaciones->setFocus();
}

void RunnerFlow::acceptSelection() {
    const QString typed = selection_->ui.cmbAutomatizaciones->currentText().trimmed();
    if (typed.isEmpty()) {
        sFile_ = environment_.dialogs.openFileName(
            selection_.get(), QStringLiteral("Abrir fichero de configuracion"),
            QStringLiteral("Todos los archivos (*.dst)|*.dst"));
        if (sFile_.isEmpty()) {
            return; // the window stays open
        }
    } else {
        // A typed path that is no entry is taken when it names a DST file.
        sFile_ = typed;
    }
    selection_->hide();
    recuperarTodo(sFile_);
}

void RunnerFlow::recuperarTodo(const QString& dstPath) {
    const Status loaded = LoadRunnerSetup(setup_, language_, port_, ToAnsi(dstPath));
    if (!loaded.ok()) {
        if (loaded.code() != ErrorCode::FileNotFound) {
            message(FromAnsi(loaded.describe()) +
                        QStringLiteral("\n\nNothing was converted or imported."),
                    QMessageBox::Critical);
        }
        failRun({}, kRunnerBadSetup);
        return;
    }
    main_.ui.Label1->setText(herdText(herdtext::Reading));
    switch (RunnerSendDateRule(setup_)) {
    case SendDateRule::AskUser:
        askForSendDate();
        return;
    case SendDateRule::Today:
        UseTodayAsSendDate(setup_, environment_.clock);
        break;
    case SendDateRule::None:
        break;
    }
    elPrincipalContinua();
}

void RunnerFlow::askForSendDate() {
    main_.hide();
    sendDate_ = std::make_unique<SendDateWindow>();
    localiser_.localise(*sendDate_);
    auto& ui = sendDate_->ui;
    const bool custom =
        QString::fromStdString(setup_.DateFormatName).toUpper() == QStringLiteral("PERSONALIZADO");
    ui.lblFormat->setText(QLatin1Char('(') +
                          FromAnsi(custom ? setup_.DatePattern : setup_.DateFormatName) +
                          QLatin1Char(')'));
    ui.Label1->setText(FromAnsi(language_.LoadText(kInsertDateMessage)));
    connect(ui.OKButton, &QPushButton::clicked, this, &RunnerFlow::acceptSendDate);
    sendDate_->show();
    ui.fecha->setFocus();
}

void RunnerFlow::acceptSendDate() {
    const QString typed = sendDate_->ui.fecha->text();
    if (typed.isEmpty()) {
        message(FromAnsi(language_.LoadText(kDateRequiredMessage)), QMessageBox::Warning);
        return;
    }
    setup_.SendDate = ToAnsi(typed);
    sendDate_->hide();
    elPrincipalContinua();
}

void RunnerFlow::message(const QString& text, QMessageBox::Icon icon) {
    environment_.dialogs.message(nullptr, text, icon, QMessageBox::Ok);
}

// A run that cannot go on: started from the command line the program ends,
// started by hand the main window comes back.
void RunnerFlow::failRun(const QString& text, int exitCode) {
    if (!text.isEmpty()) {
        message(text, QMessageBox::Warning);
    }
    waiting_.hide();
    if (fromCommandLine_) {
        end(exitCode);
        return;
    }
    main_.ui.Label1->setText(herdText(herdtext::PressStart));
    main_.show();
}

void RunnerFlow::end(int exitCode) {
    if (ended_) {
        return;
    }
    ended_ = true;
    main_.hide();
    waiting_.hide();
    emit finished(exitCode);
}

} // namespace kolvane
