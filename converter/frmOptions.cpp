// SPDX-License-Identifier: MIT
#include "converter/frmOptions.h"

#include "converter/ConverterContext.h"
#include "converter/Formato_De_Fecha.h"
#include "converter/SetupChoices.h"
#include "converter/frmExperimental.h"
#include "engine/SetupConfirmation.h"
#include "engine/SourceData.h"
#include "engine/SourceEncoding.h"
#include "gui/QtText.h"
#include "storage/DstWriter.h"
#include "ui_frmOptions.h"

#include <QGuiApplication>
#include <algorithm>

namespace kolvane::converter {
namespace {

QString textOf(const ConverterContext& context, int number) {
    return FromAnsi(context.language.LoadText(number));
}

void tell(ConverterContext& context, QWidget* parent, const QString& text) {
    context.dialogs.message(parent, text, QMessageBox::Warning, QMessageBox::Ok);
}

// A send date is asked for and none is given: OK takes today's date; Cancel
// is told that the import cannot go on without one.
bool agreeToTodayAsSendDate(ConverterContext& context, QWidget* parent) {
    const auto answer =
        context.dialogs.message(parent, textOf(context, msg::SendDateTodayHint),
                                QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel);
    if (answer == QMessageBox::Ok) {
        return true;
    }
    if (answer == QMessageBox::Cancel) {
        tell(context, parent, textOf(context, msg::CorrectDateRequired));
    }
    return false;
}

// The user's own date format without a pattern would turn every date into the
// year 1900: refused with the rule that a pattern follows.
bool customFormatLacksPattern(ConverterContext& context, QWidget* parent,
                              std::string_view formatName) {
    if (formatName != kCustomDateFormat || !context.session.setup().DatePattern.empty()) {
        return false;
    }
    tell(context, parent, textOf(context, msg::DateFormatNotSupported));
    return true;
}

bool isOwnedBy(const QWindow* window, const QWindow* owner) {
    for (; window != nullptr; window = window->transientParent()) {
        if (window == owner) {
            return true;
        }
    }
    return false;
}

} // namespace

frmOptions::frmOptions(ConverterContext& context, QWidget* parent)
    : QDialog(parent), context_(context), ui_(std::make_unique<Ui::frmOptions>()) {
    ui_->setupUi(this);
    context_.localiser.localise(*this);
    fillLists();
    showSetup();
    connect(ui_->FormatoFecha, &QComboBox::activated, this, &frmOptions::chooseDateFormat);
    connect(ui_->btnFormatofecha, &QPushButton::clicked, this, &frmOptions::openDateFormatWindow);
    connect(ui_->Inserta_Fecha, &QCheckBox::toggled, this, [this](bool checked) {
        if (!checked) {
            ui_->FechaAutomatica->setChecked(false);
        }
        showSendDateControls();
    });
    connect(ui_->FechaAutomatica, &QCheckBox::toggled, this, &frmOptions::showSendDateControls);
    connect(ui_->cmbLineMark, &QComboBox::currentIndexChanged, this,
            &frmOptions::showLineFilterControls);
    connect(ui_->btnEspecialOptions, &QPushButton::clicked, this, &frmOptions::openSpecialOptions);
    connect(ui_->Aceptar, &QPushButton::clicked, this, &frmOptions::confirm);
    connect(ui_->Cancelar, &QPushButton::clicked, this, &frmOptions::reject);
    ui_->Aceptar->setEnabled(!context_.session.busy());
    connect(&context_.session, &ImportSession::busyChanged, ui_->Aceptar,
            [this](bool busy) { ui_->Aceptar->setEnabled(!busy); });
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &frmOptions::followFocus);
}

frmOptions::~frmOptions() = default;

void frmOptions::fillLists() {
    ui_->Separador->addItems({QStringLiteral(";"), QStringLiteral(","),
                              textOf(context_, msg::Space), textOf(context_, msg::Tabs),
                              textOf(context_, msg::FixedColumnsCaption)});
    for (const auto& format : kDateFormats) {
        ui_->FormatoFecha->addItem(textOf(context_, format.captionNumber));
    }
    ui_->cmbLineMark->addItems({textOf(context_, msg::DoNotUse),
                                textOf(context_, msg::LinesNotToBeImported),
                                textOf(context_, msg::LinesToBeImported)});
    for (int lines = 0; lines <= 10; ++lines) {
        ui_->LineasPrincipio->addItem(QString::number(lines));
        ui_->Lineas_Final->addItem(QString::number(lines));
    }
}

// The source's encoding as the reader will take it: a UTF-8 file is converted
// to the herd software's code page before it is split.
void frmOptions::showEncoding(const std::string& sourcePath) {
    ui_->lblEncoding->setText(textOf(context_, msg::SourceEncodingLabel));
    std::string head;
    static_cast<void>(SourceData::file(sourcePath).readHead(kEncodingSampleBytes, head));
    ui_->txtEncoding->setText(QString::fromLatin1(SourceEncodingName(DetectSourceEncoding(head))));
}

// A TAB is shown as the "Tabs" caption but stays a TAB in the setup, so that
// Cancel leaves the setup exactly as it was.
void frmOptions::showSetup() {
    const ImportSetup& setup = context_.session.setup();
    kept_ = {setup.DatePattern, setup.OptionErrOK, setup.OptionErrExit};
    ui_->Separador->setCurrentText(FromAnsi(SeparatorCaption(setup.Separator, context_.language)));
    ui_->LineasPrincipio->setCurrentText(QString::number(setup.TopLinesToSkip));
    ui_->Lineas_Final->setCurrentText(QString::number(setup.BottomLinesToSkip));
    showDateFormat(setup.DateFormatName);
    ui_->Inserta_Fecha->setChecked(setup.AskSendDate);
    ui_->FechaAutomatica->setChecked(setup.UseTodayAsSendDate);
    showEncoding(setup.SourceFilePath);
    ui_->Fecha_a_Insertar->setText(FromAnsi(setup.SendDate));
    const int mode = setup.LineFilterMode <= 2 ? setup.LineFilterMode : 0;
    ui_->cmbLineMark->setCurrentIndex(mode);
    ui_->txtMarkLine->setText(mode == 0 ? QString() : FromAnsi(setup.LineFilterText));
    ui_->Encadenadas->setChecked(setup.OptionTrigger);
    ui_->Ceros->setChecked(setup.OptionZero);
    ui_->O_Init->setChecked(setup.OptionInit);
    showSendDateControls();
    showLineFilterControls();
}

void frmOptions::showDateFormat(const std::string& formatName) {
    const std::size_t index = DateFormatIndex(formatName);
    ui_->FormatoFecha->setCurrentIndex(static_cast<int>(index));
    showPatternControls(kDateFormats[index].name == kCustomDateFormat);
}

void frmOptions::showPatternControls(bool visible) {
    ui_->lblPattern->setText(FromAnsi(context_.session.setup().DatePattern));
    ui_->btnFormatofecha->setVisible(visible);
    ui_->lblPattern->setVisible(visible);
}

void frmOptions::chooseDateFormat(int index) {
    if (kDateFormats[static_cast<std::size_t>(index)].name == kCustomDateFormat) {
        openDateFormatWindow();
    } else {
        showPatternControls(false);
    }
}

void frmOptions::openDateFormatWindow() {
    Formato_De_Fecha window(context_, this);
    window.exec();
    showPatternControls(true);
}

void frmOptions::openSpecialOptions() {
    frmExperimental window(context_, this);
    window.exec();
}

void frmOptions::showSendDateControls() {
    const bool ask = ui_->Inserta_Fecha->isChecked();
    ui_->FechaAutomatica->setEnabled(ask);
    ui_->Fecha_a_Insertar->setEnabled(ask && !ui_->FechaAutomatica->isChecked());
}

void frmOptions::showLineFilterControls() {
    ui_->txtMarkLine->setEnabled(ui_->cmbLineMark->currentIndex() != 0);
}

void frmOptions::confirm() {
    SetupChoices choices = collectChoices();
    if (!separatorCanBeStored(choices) || !readSkipCounts(choices) ||
        customFormatLacksPattern(context_, this, kDateFormats[choices.dateFormat].name) ||
        !settleSendDate(choices.dateFormat)) {
        return;
    }
    choices.sendDate = ToAnsi(ui_->Fecha_a_Insertar->text());
    if (context_.session.changeSettings(
            [&](ImportSetup& setup) { ApplySetupChoices(choices, setup, context_.language); })) {
        accept();
    }
}

// A separator that a setup file would give back as another one ("1" reads
// back as fixed columns) is refused before anything is split.
bool frmOptions::separatorCanBeStored(const SetupChoices& choices) {
    if (SeparatorCanBeStored(SeparatorFromCaption(choices.separator, context_.language),
                             context_.language)) {
        return true;
    }
    tell(context_, this, textOf(context_, msg::SeparatorNotStorable));
    ui_->Separador->setFocus();
    return false;
}

// Counts that are no whole number from 0 to 32767 are named to the user, and
// the window stays open on them.
bool frmOptions::readSkipCounts(SetupChoices& choices) {
    const struct {
        QComboBox* box;
        int label;
        std::int16_t& value;
    } counts[] = {{ui_->LineasPrincipio, msg::TopLinesToSkipLabel, choices.topLinesToSkip},
                  {ui_->Lineas_Final, msg::BottomLinesToSkipLabel, choices.bottomLinesToSkip}};
    for (const auto& count : counts) {
        const SkipCount read = ReadSkipCount(ToAnsi(count.box->currentText().trimmed()));
        if (read.value) {
            count.value = *read.value;
            continue;
        }
        const int problem = read.outOfRange ? msg::IncorrectValue : msg::NotANumber;
        tell(context_, this,
             textOf(context_, count.label) + QStringLiteral("\n\n") + textOf(context_, problem));
        count.box->setFocus();
        count.box->lineEdit()->selectAll();
        return false;
    }
    return true;
}

// With "Insert today's date" the box gets today's date; an empty box is
// settled with the user; false leaves the window open.
bool frmOptions::settleSendDate(std::size_t dateFormat) {
    if (!ui_->Inserta_Fecha->isChecked()) {
        return true;
    }
    const bool today =
        ui_->FechaAutomatica->isChecked() || (ui_->Fecha_a_Insertar->text().trimmed().isEmpty() &&
                                              agreeToTodayAsSendDate(context_, this));
    if (today) {
        ui_->Fecha_a_Insertar->setText(
            FromAnsi(TodayInFormat(dateFormat, context_.session.setup(), context_.clock)));
    }
    return !ui_->Fecha_a_Insertar->text().trimmed().isEmpty();
}

SetupChoices frmOptions::collectChoices() const {
    SetupChoices choices;
    choices.separator = ToAnsi(ui_->Separador->currentText());
    choices.dateFormat = static_cast<std::size_t>(std::max(0, ui_->FormatoFecha->currentIndex()));
    choices.askSendDate = ui_->Inserta_Fecha->isChecked();
    choices.useTodayAsSendDate = ui_->FechaAutomatica->isChecked();
    choices.lineFilterMode = static_cast<std::uint8_t>(ui_->cmbLineMark->currentIndex());
    choices.lineFilterText = ToAnsi(ui_->txtMarkLine->text());
    choices.optionInit = ui_->O_Init->isChecked();
    choices.optionZero = ui_->Ceros->isChecked();
    choices.optionTrigger = ui_->Encadenadas->isChecked();
    return choices;
}

// The date pattern and the special options are stored by their own windows;
// Cancel here takes them back, so that nothing of this visit remains.
void frmOptions::reject() {
    const ImportSetup& setup = context_.session.setup();
    if (setup.DatePattern != kept_.datePattern || setup.OptionErrOK != kept_.optionErrOK ||
        setup.OptionErrExit != kept_.optionErrExit) {
        context_.session.changeSettings([this](ImportSetup& changed) {
            changed.DatePattern = kept_.datePattern;
            changed.OptionErrOK = kept_.optionErrOK;
            changed.OptionErrExit = kept_.optionErrExit;
        });
    }
    QDialog::reject();
}

// Coming back to this window from another window of the program shows the
// stored date format again. Coming back from one of its own windows (the date
// format window, the special options, a message) or from outside the program
// (no previous window) leaves the user's choice as it is.
void frmOptions::followFocus(QWindow* focused) {
    const QWindow* previous = previousFocus_.data();
    previousFocus_ = focused;
    const QWindow* own = windowHandle();
    if (focused == nullptr || focused != own || previous == nullptr || isOwnedBy(previous, own)) {
        return;
    }
    showDateFormat(context_.session.setup().DateFormatName);
}

bool frmOptions::confirmLoadedSetup(ConverterContext& context, QWidget* parent) {
    ImportSession& session = context.session;
    if (customFormatLacksPattern(context, parent, session.setup().DateFormatName)) {
        return false;
    }
    SendDateNeed need = SendDateNeed::None;
    if (!session.changeSettings([&](ImportSetup& setup) {
            need = ConfirmLoadedSetup(setup, context.language, context.clock);
        })) {
        return false;
    }
    if (need != SendDateNeed::Missing) {
        return true;
    }
    if (!agreeToTodayAsSendDate(context, parent)) {
        return false;
    }
    session.setSendDate(TodayAsSendDate(session.setup(), context.clock));
    return true;
}

} // namespace kolvane::converter
