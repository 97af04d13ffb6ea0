// SPDX-License-Identifier: MIT
// The runner's conversion of the source file and the import that follows.
#include "herdlink/QtText.h"
#include "runner/RunnerFlow.h"
#include "storage/WinReg.h"

#include <QThread>
#include <filesystem>

namespace kolvane {

QString RunnerFlow::progressCaption(int engineCaption) const {
    return herdText(engineCaption == msg::BuildingWindow ? herdtext::CuttingColumns
                                                         : herdtext::BuildingAdis);
}

// The setup's source file, or one the user picks: when the setup names none,
// or names one that does not exist. False when the user cancels: nothing is
// converted then (an empty import would look like a success).
bool RunnerFlow::chooseSourceFile(std::string& sourcePath) {
    sourcePath = setup_.SourceFilePath;
    const bool fixed = setup_.usesFixedColumns();
    const QString title =
        fixed ? herdText(herdtext::OpenSourceTitle) : QStringLiteral("Abrir Fichero de Entrada");
    const QString filter =
        fixed ? QStringLiteral("(*.*)|*.*") : QStringLiteral("Todos los archivos (*.*)|*.*");
    std::error_code ec;
    if (sourcePath != kAskForSource && std::filesystem::is_regular_file(sourcePath, ec)) {
        return true;
    }
    if (sourcePath != kAskForSource) {
        message(herdText(herdtext::SourceNotFound) + QStringLiteral("\n") + FromAnsi(sourcePath),
                QMessageBox::Warning);
    }
    const QString chosen = environment_.dialogs.openFileName(&waiting_, title, filter);
    sourcePath = ToAnsi(chosen);
    return !chosen.isEmpty();
}

void RunnerFlow::elPrincipalContinua() {
    waiting_.ui.Label1->setText(herdText(herdtext::Reading));
    waiting_.show();
    main_.hide();
    std::string sourcePath;
    if (!chooseSourceFile(sourcePath)) {
        failRun({}, kRunnerNotConverted);
        return;
    }
    const std::string adisPath =
        ImporterAdisFile(ImporterCommand::RunnerImport, ToAnsi(environment_.programFolder));
    auto conversion = std::make_shared<RunnerConversion>();
    const EngineContext context{language_, port_, NumberFormat::fromSystemLocale(),
                                environment_.clock};
    worker_ = QThread::create([this, conversion, context, sourcePath, adisPath] {
        *conversion = ConvertForRunner(setup_, context, sourcePath, adisPath);
    });
    connect(worker_, &QThread::finished, this, [this, conversion] {
        worker_->deleteLater();
        worker_ = nullptr;
        onConverted(*conversion);
    });
    worker_->start();
}

void RunnerFlow::onConverted(const RunnerConversion& conversion) {
    working_.hide();
    if (conversion.tooManyFields()) {
        // The runner ends here; no ADIS file is left behind.
        message(herdText(herdtext::TooManyFields), QMessageBox::Critical);
        end(kRunnerNotConverted);
        return;
    }
    if (!conversion.status.ok()) {
        failRun(FromAnsi(conversion.status.describe()), kRunnerNotConverted);
        return;
    }
    lanzarImportador();
}

void RunnerFlow::lanzarImportador() {
    main_.hide();
    waiting_.ui.Label1->setText(herdText(herdtext::ImportRunning));
    waiting_.startAnimation();
    WinReg settings(environment_.registry);
    const std::string installFolder = settings.Leer_Ruta_HX();
    const std::string ownFolder = ToAnsi(environment_.programFolder);
    const QString counterPrefix = herdText(herdtext::ReadingReport);
    auto imported = std::make_shared<RunnerImport>();
    worker_ = QThread::create([this, imported, installFolder, ownFolder, counterPrefix] {
        *imported = ImportAndReadReport(installFolder, ownFolder, [this, counterPrefix](int line) {
            QMetaObject::invokeMethod(&waiting_, [this, counterPrefix, line] {
                waiting_.showLineCounter(counterPrefix, line);
            });
        });
    });
    connect(worker_, &QThread::finished, this, [this, imported] {
        worker_->deleteLater();
        worker_ = nullptr;
        onImported(*imported);
    });
    worker_->start();
}

void RunnerFlow::onImported(const RunnerImport& imported) {
    waiting_.setEnabled(true);
    reported_ = !imported.report.noErrors;
    if (!reported_ && closeWithoutConfirmation_) {
        end(kRunnerNoErrors);
        return;
    }
    waiting_.showOutcome(!reported_,
                         herdText(reported_ ? herdtext::ErrorsFound : herdtext::NoErrors),
                         FromAnsi(DetailsForDisplay(imported.report.details)));
    waiting_.show();
}

} // namespace kolvane
