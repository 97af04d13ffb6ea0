// SPDX-License-Identifier: MIT
#include "runner/RunnerFlow.h"

#include "engine/DateCheck.h"
#include "engine/SendDate.h"
#include "engine/SetupConfirmation.h"
#include "gui/QtText.h"
#include "herdlink/CodeDictionary.h"
#include "herdlink/Importer.h"
#include "storage/AtomicFile.h"
#include "storage/AutomaticImportList.h"
#include "storage/Settings.h"

#include <QDesktopServices>
#include <QUrl>
#include <filesystem>

namespace kolvane::runner {
namespace {

// The console of the batch file that started the runner: on Linux the one-line
// script hands its own process to the runner (exec), so there is no console to
// close, and no other process is ever ended.
void Cerrar_DOS(const std::string&) {}

// The font of every runner window: the string table's ids 20 and 21.
QFont runnerFont() {
    QFont font(FromAnsi(FindTextById(kFontNameId).value_or("")));
    font.setPointSize(FromAnsi(FindTextById(kFontSizeId).value_or("8")).toInt());
    return font;
}

} // namespace

RunnerFlow::RunnerFlow(RunnerEnvironment environment, QObject* parent)
    : QObject(parent), environment_(std::move(environment)),
      language_(Settings(environment_.registry).language()),
      texts_(HerdTexts::Fetch(environment_.registry)),
      list_(Settings(environment_.registry).automaticImports()),
      localiser_(textSource(), runnerFont()), waiting_(localiser_),
      port_(language_, environment_.dialogs, waiting_,
            [this](int caption) { return progressCaption(caption); }),
      main_(localiser_), session_(language_, port_, environment_.clock) {
    // The runner has no setup window to blame for a date it cannot read.
    port_.showInstead(msg::DateNotTranslated, msg::DateNotTranslatedRunner);
    connect(&main_, &frmMain::setupDropped, this, &RunnerFlow::runDropped);
    connect(&waiting_, &frmWitingToEnd::cancelRequested, this, &RunnerFlow::cancelConversion);
    connect(&waiting_, &frmWitingToEnd::saveDetailsRequested, this, &RunnerFlow::saveDetails);
    connect(&waiting_, &frmWitingToEnd::openReportRequested, this, &RunnerFlow::openImporterReport);
    connect(&main_, &frmMain::startRequested, this, &RunnerFlow::startClicked);
    connect(&main_, &frmMain::closed, this, [this] { end(kRunnerNoErrors); });
    connect(&waiting_, &frmWitingToEnd::done, this, [this] {
        end(waiting_.converting() ? kRunnerNotConverted
            : reported_           ? kRunnerReported
                                  : kRunnerNoErrors);
    });
    connect(&session_, &ImportSession::busyChanged, &main_,
            [this](bool busy) { main_.setStartEnabled(!busy); });
}

RunnerFlow::~RunnerFlow() = default;

FormLocaliser::TextSource RunnerFlow::textSource() const {
    return [this](int number) -> std::optional<QString> {
        if (number >= 1 && number <= HerdTexts::kCount) {
            return herdText(number);
        }
        if (const auto text = language_.FindTextForSpanishId(number)) {
            return FromAnsi(*text);
        }
        return std::nullopt;
    };
}

std::optional<QString> RunnerFlow::sendDateRefusal(const std::string& sendDate) const {
    const auto refusal = SendDateRefusal(session_.setup(), sendDate, language_, environment_.clock);
    return refusal ? std::optional<QString>(FromAnsi(*refusal)) : std::nullopt;
}

QString RunnerFlow::herdText(int number) const {
    return FromAnsi(texts_.text(number));
}

QString RunnerFlow::text(int number) const {
    return FromAnsi(language_.LoadText(number));
}

QString RunnerFlow::explanationOf(const std::string& dstPath) const {
    const auto line = DstThirdLine(dstPath);
    return line ? FromAnsi(*line) : herdText(herdtext::DstMissing);
}

QString RunnerFlow::progressCaption(int engineCaption) const {
    return herdText(engineCaption == msg::BuildingWindow ? herdtext::CuttingColumns
                                                         : herdtext::BuildingAdis);
}

void RunnerFlow::message(const QString& text, QMessageBox::Icon icon) {
    environment_.dialogs.message(nullptr, text, icon, QMessageBox::Ok);
}

void RunnerFlow::start(const QString& commandText) {
    // The command line holds paths: it goes through the path bridge.
    arguments_ = ParseRunnerArguments(ToPath(commandText));
    main_.setStatus(herdText(herdtext::PressStart));
    if (const auto problem = environment_.registry.problem()) {
        message(FromPath(*problem), QMessageBox::Warning);
    }
    if (!arguments_.any()) {
        main_.show(); // interactive: the user presses Start
        return;
    }
    handleArguments();
}

void RunnerFlow::handleArguments() {
    sFile_ = arguments_.dstPath;
    if (!arguments_.namesDstFile()) {
        main_.show();
        message(herdText(herdtext::NotADstFile), QMessageBox::Warning);
        return;
    }
    fromCommandLine_ = true;
    Cerrar_DOS(sFile_);
    closeWithoutConfirmation_ = arguments_.closeWithoutConfirmation;
    if (arguments_.startWithoutConfirmation) {
        Recuperar_Todo(sFile_);
    } else {
        confirmThenRead();
    }
}

void RunnerFlow::confirmThenRead() {
    confirmation_ = std::make_unique<frmBatMain>(localiser_);
    confirmation_->showSetup(FromPath(sFile_), explanationOf(sFile_));
    connect(confirmation_.get(), &frmBatMain::confirmed, this, [this] {
        confirmation_->hide();
        Recuperar_Todo(sFile_);
    });
    connect(confirmation_.get(), &frmBatMain::cancelled, this, [this] {
        confirmation_->hide();
        end(kRunnerNoErrors);
    });
    confirmation_->show();
}

void RunnerFlow::startClicked() {
    if (fromCommandLine_) {
        Recuperar_Todo(sFile_);
        return;
    }
    sFile_.clear();
    main_.hide();
    openSelection();
}

void RunnerFlow::openSelection() {
    main_.setStatus(herdText(herdtext::Choosing));
    selection_ = std::make_unique<frmAutom>(localiser_);
    QStringList entries;
    int chosen = 0; // the import run last, else the first
    const std::string last = Settings(environment_.registry).lastAutomaticImport();
    for (const auto& entry : list_) {
        if (entry == last) {
            chosen = static_cast<int>(entries.size());
        }
        entries << FromPath(entry);
    }
    selection_->setEntries(entries, chosen, text(msg::NoAutomaticImports));
    if (!entries.isEmpty()) {
        selection_->setExplanation(explanationOf(ToPath(entries.at(chosen))));
    }
    connect(selection_.get(), &frmAutom::entryChosen, this, [this](const QString& path) {
        selection_->setExplanation(explanationOf(ToPath(path)));
    });
    connect(selection_.get(), &frmAutom::confirmed, this, &RunnerFlow::acceptSelection);
    connect(selection_.get(), &frmAutom::searchRequested, this, &RunnerFlow::searchSetupFile);
    connect(selection_.get(), &frmAutom::cancelled, this, [this] {
        selection_->hide();
        main_.setStatus(herdText(herdtext::PressStart));
        main_.show();
    });
    selection_->show();
}

void RunnerFlow::acceptSelection() {
    const QString chosen = selection_->chosenSetup();
    if (chosen.isEmpty()) {
        searchSetupFile();
        return;
    }
    // A typed path that is no entry is taken when it names a DST file.
    runChosen(chosen);
}

void RunnerFlow::searchSetupFile() {
    const QString chosen =
        environment_.dialogs.openFileName(selection_.get(), text(msg::OpenSetupFileTitle),
                                          text(msg::SetupFilesFilter) + QStringLiteral("|*.dst"));
    if (!chosen.isEmpty()) {
        runChosen(chosen); // a cancelled dialog leaves the window open
    }
}

void RunnerFlow::runChosen(const QString& dstPath) {
    sFile_ = ToPath(dstPath);
    // Offered first the next time; a store that cannot be written was told at start.
    Settings(environment_.registry).setLastAutomaticImport(sFile_);
    selection_->hide();
    Recuperar_Todo(sFile_);
}

// Dropped onto the main window: run as if chosen by hand.
void RunnerFlow::runDropped(const QString& dstPath) {
    if (session_.busy() || fromCommandLine_ || ended_) {
        return;
    }
    if (!dstPath.endsWith(QStringLiteral(".dst"))) {
        message(herdText(herdtext::NotADstFile) + QLatin1Char('\n') + dstPath,
                QMessageBox::Warning);
        return;
    }
    sFile_ = ToPath(dstPath);
    main_.hide();
    Recuperar_Todo(sFile_);
}

void RunnerFlow::Recuperar_Todo(const std::string& dstPath) {
    const Status loaded = session_.openDst(dstPath, {.reader = DstReader::Runner});
    if (!loaded.ok()) {
        // A missing file was told already (message 159).
        if (loaded.code() != ErrorCode::FileNotFound) {
            message(DescribeStatus(loaded, language_) +
                        QStringLiteral("\n\nNothing was converted or imported."),
                    QMessageBox::Critical);
        }
        failRun({}, kRunnerBadSetup);
        return;
    }
    main_.setStatus(herdText(herdtext::Reading));
    switch (RunnerSendDateRule(session_.setup())) {
    case SendDateRule::AskUser:
        askForSendDate();
        return;
    case SendDateRule::Today:
        session_.useTodayAsSendDate();
        // A pattern of the user's own may write today in a way it cannot read.
        if (const auto refusal = sendDateRefusal(session_.setup().SendDate)) {
            failRun(*refusal, kRunnerBadSetup);
            return;
        }
        break;
    case SendDateRule::None:
        break;
    }
    El_Principal_Continua();
}

void RunnerFlow::askForSendDate() {
    main_.hide();
    sendDate_ = std::make_unique<Fecha_Ask>(localiser_);
    const auto today = environment_.clock.today();
    sendDate_->ask(text(msg::InsertDate), FromAnsi(DateFormatCaption(session_.setup(), language_)),
                   QDate(static_cast<int>(today.year()), static_cast<int>(unsigned(today.month())),
                         static_cast<int>(unsigned(today.day()))),
                   [this](QDate day) {
                       const FixedClock chosen(std::chrono::year{day.year()} /
                                               static_cast<unsigned>(day.month()) /
                                               static_cast<unsigned>(day.day()));
                       return FromAnsi(TodayInSetupFormat(session_.setup(), chosen));
                   });
    connect(sendDate_.get(), &Fecha_Ask::confirmed, this, &RunnerFlow::acceptSendDate);
    connect(sendDate_.get(), &Fecha_Ask::abandoned, this, [this] { failRun({}, kRunnerNoErrors); });
    sendDate_->show();
}

void RunnerFlow::acceptSendDate() {
    const QString typed = sendDate_->date();
    if (typed.isEmpty()) {
        message(FromAnsi(language_.LoadText(msg::DateRequired)), QMessageBox::Warning);
        return;
    }
    // Put before every row as a date value: it has to read under the setup's format.
    if (const auto refusal = sendDateRefusal(ToAnsi(typed))) {
        message(*refusal, QMessageBox::Warning);
        return; // the window stays open for another try
    }
    session_.setSendDate(ToAnsi(typed));
    sendDate_->hide();
    El_Principal_Continua();
}

// The setup's source file, or one the user picks: when the setup names none,
// or names one that does not exist. False when the user cancels: nothing is
// converted then (an empty import would look like a success).
bool RunnerFlow::chooseSourceFile(std::string& sourcePath) {
    sourcePath = session_.setup().SourceFilePath;
    const bool fixed = session_.setup().usesFixedColumns();
    const QString title =
        fixed ? herdText(herdtext::OpenSourceTitle) : text(msg::OpenSourceFileTitle);
    const QString filter =
        fixed ? QStringLiteral("(*.*)|*.*") : text(msg::AnyFileFilter) + QStringLiteral("|*.*");
    std::error_code ec;
    if (sourcePath != kAskForSource && std::filesystem::is_regular_file(sourcePath, ec)) {
        return true;
    }
    if (sourcePath != kAskForSource) {
        message(herdText(herdtext::SourceNotFound) + QLatin1Char('\n') + FromPath(sourcePath),
                QMessageBox::Warning);
    }
    const QString chosen = environment_.dialogs.openFileName(&waiting_, title, filter);
    sourcePath = ToPath(chosen);
    return !chosen.isEmpty();
}

bool RunnerFlow::readImporterLimit() {
    Settings settings(environment_.registry);
    const std::optional<std::string> stored = settings.importerTimeout();
    const auto limit = stored ? ParseImporterTimeout(*stored) : kDefaultImporterTimeout;
    if (!limit) {
        failRun(FromAnsi(ImporterTimeoutProblem(*stored,
                                                "ImporterTimeout (" + settings.location() + ")")),
                kRunnerBadSetup); // nothing converted, nothing imported
        return false;
    }
    importerLimit_ = *limit;
    return true;
}

void RunnerFlow::El_Principal_Continua() {
    if (!readImporterLimit()) {
        return;
    }
    waiting_.setStatus(herdText(herdtext::Reading));
    waiting_.show();
    main_.hide();
    std::string sourcePath;
    if (!chooseSourceFile(sourcePath)) {
        failRun({}, kRunnerNotConverted);
        return;
    }
    const std::string adisPath =
        ImporterAdisFile(ImporterCommand::RunnerImport, ToPath(environment_.programFolder));
    waiting_.startConversion();
    session_.runJob(
        {},
        [sourcePath, adisPath,
         dictionary = ToPath(environment_.programFolder) + "/" +
                      kCodeDictionaryFile](ImportSetup& setup, const EngineContext& context) {
            FillDataTypes(setup, CodeDictionary(dictionary));
            return ConvertForRunner(setup, context, sourcePath, adisPath);
        },
        [](const RunnerConversion& conversion) { return conversion.status.ok(); },
        [this](const std::optional<RunnerConversion>& conversion) { converted(conversion); });
}

void RunnerFlow::cancelConversion() {
    if (waiting_.converting()) {
        // The job stops at its next batch; its ADIS file is never completed,
        // so nothing is handed to the importer.
        session_.jobs().cancel();
    }
}

void RunnerFlow::converted(const std::optional<RunnerConversion>& conversion) {
    waiting_.endConversion();
    if (!conversion) {
        failRun({}, kRunnerNotConverted); // stopped: nothing is handed on
        return;
    }
    if (conversion->tooManyFields()) {
        // The runner ends here; no ADIS file is left behind.
        tellTooManyFields(conversion->status);
        end(kRunnerNotConverted);
        return;
    }
    if (!conversion->status.ok()) {
        failRun(DescribeStatus(conversion->status, language_), kRunnerNotConverted);
        return;
    }
    // Wrong values reach the herd database: the outcome is never a success.
    conversion_ = *conversion;
    wrongValues_ =
        conversion->valuesToReport() ? WrongValuesDetails(*conversion, language_) : std::string();
    Lanzar_Importador();
}

// The herd software's words, then where: the source file and its line.
void RunnerFlow::tellTooManyFields(const Status& status) {
    QString where = FromPath(status.path());
    if (status.line() > 0) {
        where += (where.isEmpty() ? QString() : QStringLiteral(", ")) +
                 FromAnsi(language_.FillText(msg::SourceLineNote, {std::to_string(status.line())}));
    }
    message(herdText(herdtext::TooManyFields) +
                (where.isEmpty() ? QString() : QStringLiteral("\n\n") + where),
            QMessageBox::Critical);
}

void RunnerFlow::Lanzar_Importador() {
    main_.hide();
    waiting_.setStatus(herdText(herdtext::ImportRunning));
    waiting_.startImporterWait([this](int seconds) {
        return FromAnsi(language_.FillText(msg::ImporterElapsed, {std::to_string(seconds)}));
    });
    const std::string installFolder = Settings(environment_.registry).herdInstallFolder();
    const std::string ownFolder = ToPath(environment_.programFolder);
    const QString counterPrefix = herdText(herdtext::ReadingReport);
    const auto showCounter = [this, counterPrefix](int line) {
        QMetaObject::invokeMethod(&waiting_, [this, counterPrefix, line] {
            waiting_.showLineCounter(counterPrefix, line);
        });
    };
    session_.jobs().start(
        [installFolder, ownFolder, showCounter, note = SourceLineNote(conversion_, language_),
         limit = importerLimit_](JobControl&) {
            return ImportAndReadReport(installFolder, ownFolder, showCounter, note, limit);
        },
        [this](const std::optional<RunnerImport>& result) { imported(result); });
}

void RunnerFlow::imported(const std::optional<RunnerImport>& result) {
    if (!result) {
        return; // the program is ending
    }
    reported_ = !result->report.noErrors || !wrongValues_.empty();
    if (!reported_ && closeWithoutConfirmation_) {
        end(kRunnerNoErrors);
        return;
    }
    std::string details = DetailsForDisplay(result->report.details);
    if (!wrongValues_.empty()) {
        details = wrongValues_ + "\r\n" + details;
    }
    std::error_code ec;
    waiting_.showOutcome(
        !reported_, herdText(reported_ ? herdtext::ErrorsFound : herdtext::NoErrors),
        FromAnsi(ImportCountsText(result->report, conversion_, language_)), FromAnsi(details),
        std::filesystem::is_regular_file(ToPath(importerReportPath()), ec));
    waiting_.show();
}

QString RunnerFlow::importerReportPath() const {
    return FromPath(Settings(environment_.registry).herdInstallFolder() + "/" + kImporterResult);
}

void RunnerFlow::saveDetails() {
    const QString path =
        environment_.dialogs.saveFileName(&waiting_, text(msg::SaveDetailsTitle),
                                          text(msg::TextFilesFilter) + QStringLiteral("|*.txt"));
    if (path.isEmpty()) {
        return;
    }
    // Line ends of the platform's text files, so that any viewer shows the lines.
    QString lines = waiting_.details();
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QByteArray bytes = lines.toUtf8();
    const Status written = WriteFileAtomically(
        ToPath(path), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!written.ok()) {
        message(FromAnsi(language_.FillText(
                    msg::DetailsNotSaved, {ToAnsi(path), Status(written).withPath({}).describe()})),
                QMessageBox::Warning);
    }
}

void RunnerFlow::openImporterReport() {
    const QString path = importerReportPath();
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        message(text(msg::ReportNotOpened) + QLatin1Char('\n') + path, QMessageBox::Warning);
    }
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
    main_.setStatus(herdText(herdtext::PressStart));
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

} // namespace kolvane::runner
