// SPDX-License-Identifier: MIT
#include "converter/Principal.h"

#include "converter/ButtonMnemonics.h"
#include "converter/ColumnCodes.h"
#include "converter/ConverterContext.h"
#include "converter/GridRows.h"
#include "converter/SourcePreviewModel.h"
#include "converter/frmCodigos.h"
#include "engine/ColumnChecks.h"
#include "engine/Numbers.h"
#include "gui/QtText.h"
#include "ui_Principal.h"

#include <QSignalBlocker>
#include <algorithm>

namespace kolvane::converter {
namespace {

// Recommended widths and decimals are numbers; the dictionary delivers them padded.
QString numberText(std::string_view field) {
    return QString::number(FieldNumber(field));
}

// Wide sources keep the default column width: measuring every cell would cost more
// than it helps.
constexpr int kMeasuredColumns = 256;

} // namespace

Principal::Principal(ConverterContext& context, frmCodigos& codeList, QWidget* parent)
    : QWidget(parent), context_(context), codeList_(codeList),
      ui_(std::make_unique<Ui::Principal>()), preview_(new SourcePreviewModel(this)),
      dictionary_(context.codeDictionaryPath) {
    ui_->setupUi(this);
    context_.localiser.localise(*this);
    AddButtonMnemonics(*this);
    ui_->MSFlexGrid1->setModel(preview_);
    FitRowsToFont(*ui_->MSFlexGrid1);
    connectControls();
    ImportSession& session = context_.session;
    session.changeSettings([](ImportSetup& setup) { setup.ColumnsWindowLoaded = true; });
    // A loaded DST brings its column table; otherwise the table starts afresh.
    if (!session.setup().ColumnsFromDst) {
        session.setColumnTable(ColumnTable(1));
    }
    showSource();
    preview_->setCurrentColumn(current_);
    restoreColumnData();
    setEnabled(!session.busy());
}

// The window goes with the step; the flag tells the setup window that the
// columns must be built again.
Principal::~Principal() {
    // The box loses the focus while the controls go: no check may follow.
    disconnect(ui_->Mnemonico, nullptr, this, nullptr);
    context_.session.changeSettings([](ImportSetup& setup) { setup.ColumnsWindowLoaded = false; });
}

void Principal::connectControls() {
    connect(ui_->MSFlexGrid1, &QTableView::clicked, this,
            [this](const QModelIndex& index) { moveTo(index.column() + 1); });
    connect(ui_->Siguiente, &QPushButton::clicked, this, [this] { moveTo(current_ + 1); });
    connect(ui_->Anterior, &QPushButton::clicked, this, [this] { moveTo(current_ - 1); });
    connect(ui_->Finalizar, &QPushButton::clicked, this, &Principal::finish);
    connect(ui_->No_Importar, &QPushButton::clicked, this, &Principal::noImport);
    connect(ui_->Seleccionar_Codigo, &QPushButton::clicked, &codeList_, &frmCodigos::showForChoice);
    connect(&codeList_, &frmCodigos::codeChosen, this, &Principal::takeCode);
    // Enter, and leaving the box after an edit.
    connect(ui_->Mnemonico, &QLineEdit::editingFinished, this, &Principal::checkMnemonic);
    connect(ui_->Fecha, &QCheckBox::clicked, this, &Principal::dateClicked);
    connect(ui_->Hora, &QCheckBox::clicked, this, &Principal::timeClicked);
    connect(ui_->Sep_Decimales, &QCheckBox::clicked, this, &Principal::separatorClicked);
    connect(ui_->Separador, &QComboBox::editTextChanged, this, &Principal::separatorTextChanged);
    connect(ui_->txtFactorCorrector, &QLineEdit::textChanged, this, &Principal::factorTextChanged);
    ImportSession& session = context_.session;
    connect(&session, &ImportSession::busyChanged, this, [this](bool busy) { setEnabled(!busy); });
    connect(&session, &ImportSession::sourceTableChanged, this, &Principal::sourceChanged);
}

// The source was split again while the window is open; a closed import leaves
// nothing to show and its (reset) column table alone.
void Principal::sourceChanged() {
    showSource();
    if (preview_->columnCount() > 0) {
        current_ = std::min(current_, preview_->columnCount());
        preview_->setCurrentColumn(current_);
        restoreColumnData();
    }
}

void Principal::showSource() {
    context_.port.startProgress(msg::BuildingWindow, 1);
    preview_->showSource(context_.session.setup().SourceTable);
    if (preview_->columnCount() <= kMeasuredColumns) {
        ui_->MSFlexGrid1->resizeColumnsToContents();
    }
    context_.port.endProgress();
}

void Principal::showColumn(int column) {
    moveTo(column);
}

// Stores the current column, then shows `column` (kept within the source's columns).
void Principal::moveTo(int column) {
    storeCurrentColumn();
    current_ = std::clamp(column, 1, std::max(1, preview_->columnCount()));
    preview_->setCurrentColumn(current_);
    QTableView& grid = *ui_->MSFlexGrid1;
    if (preview_->rowCount() > 0) {
        // Into view sideways only: the rows the user scrolled to stay.
        grid.scrollTo(preview_->index(std::max(grid.rowAt(0), 0), current_ - 1));
    }
    restoreColumnData();
    ui_->Mnemonico->setFocus();
}

ColumnDefinition Principal::storedColumn(int column) const {
    const ColumnTable& table = context_.session.setup().ColumnTable;
    const auto index = static_cast<std::size_t>(column - 1);
    return index < table.size() ? table[index] : ColumnDefinition{};
}

void Principal::writeColumn(int column, const ColumnDefinition& definition) {
    ImportSession& session = context_.session;
    if (session.busy()) {
        return; // the window is disabled while a job holds the setup
    }
    ColumnTable table = session.setup().ColumnTable;
    const auto count = static_cast<std::size_t>(column);
    if (table.size() < count) {
        table.resize(count);
    }
    table[count - 1] = definition;
    session.setColumnTable(std::move(table));
}

// A width or decimals out of range would reach the definition line: the
// column keeps what it had, and the user is told. An empty box takes the
// recommended value.
void Principal::takeSize(QLineEdit& box, const std::string& recommended, const SizeRule& rule,
                         std::string& value) {
    const std::string typed = ToAnsi(box.text());
    if (typed.empty()) {
        value = recommended;
    } else if (WholeNumberIn(typed, rule.lowest, rule.highest)) {
        value = typed;
    } else {
        box.setText(FromAnsi(value));
        warn(FromAnsi(context_.language.LoadText(rule.refused)));
    }
}

void Principal::storeCurrentColumn() {
    if (!storing_) {
        return;
    }
    // A mnemonic typed but not yet checked (the move came by keyboard, with the
    // focus still in the box) is checked first: its code must come with it.
    if (ui_->Mnemonico->isModified()) {
        checkMnemonic();
    }
    ColumnDefinition column = storedColumn(current_);
    column.Mnemonic = ToAnsi(ui_->Mnemonico->text());
    column.ItemNumber = ToAnsi(ui_->ADIS->text());
    column.RecommendedWidth = ToAnsi(ui_->Esp_Recomendado->text());
    column.RequiredIndex = ToAnsi(ui_->Necesario->text());
    column.RecommendedDecimals = ToAnsi(ui_->Prec_Recomendado->text());
    column.IsDate = ui_->Fecha->isChecked();
    column.IsTime = ui_->Hora->isChecked();
    column.DecimalSeparator =
        ui_->Sep_Decimales->isChecked() ? ToAnsi(ui_->Separador->currentText()) : std::string();
    takeSize(*ui_->Espacios, column.RecommendedWidth, {1, kMaxColumnWidth, msg::ColumnWidthRefused},
             column.Width);
    takeSize(*ui_->Precision, column.RecommendedDecimals,
             {0, kMaxColumnDecimals, msg::ColumnDecimalsRefused}, column.Decimals);
    // A factor shown is the factor: emptied by the user, the column has none.
    // One not shown stays as the table holds it.
    if (!ui_->txtFactorCorrector->isHidden()) {
        const QString factorOperator = ui_->cmbFactorCorrector->currentText();
        const QString factor = ui_->txtFactorCorrector->text();
        column.CorrectionFactor = factorOperator.isEmpty() || factor.isEmpty()
                                      ? std::string()
                                      : ToAnsi(factorOperator + factor);
    }
    writeColumn(current_, column);
}

void Principal::restoreColumnData() {
    if (context_.session.setup().ColumnTable.size() < static_cast<std::size_t>(current_)) {
        writeColumn(current_, ColumnDefinition{});
    }
    const ColumnDefinition column = storedColumn(current_);
    ui_->Mnemonico->setText(FromAnsi(column.Mnemonic));
    ui_->ADIS->setText(FromAnsi(column.ItemNumber));
    ui_->Esp_Recomendado->setText(FromAnsi(column.RecommendedWidth));
    ui_->Necesario->setText(FromAnsi(column.RequiredIndex));
    ui_->Prec_Recomendado->setText(FromAnsi(column.RecommendedDecimals));
    ui_->Espacios->setText(FromAnsi(column.Width));
    ui_->Precision->setText(FromAnsi(column.Decimals));
    ui_->Fecha->setChecked(column.IsDate);
    ui_->Hora->setChecked(column.IsTime);
    ui_->Sep_Decimales->setChecked(!column.DecimalSeparator.empty());
    resetSeparator();
    if (!column.DecimalSeparator.empty()) {
        const QSignalBlocker quiet(ui_->Separador);
        ui_->Separador->setEditText(FromAnsi(column.DecimalSeparator));
    }
    restoreFactor(column);
    enableForType(dataTypeOf(column.Mnemonic));
    updateSeparatorControls();
}

void Principal::restoreFactor(const ColumnDefinition& column) {
    const QSignalBlocker quiet(ui_->txtFactorCorrector);
    const QString factor = FromAnsi(column.CorrectionFactor);
    const int found = factor.isEmpty() ? -1 : ui_->cmbFactorCorrector->findText(factor.left(1));
    ui_->cmbFactorCorrector->setCurrentIndex(std::max(found, 0));
    ui_->txtFactorCorrector->setText(found >= 0 ? factor.mid(1) : QString());
}

// The data type of a column's code; a dictionary that cannot be read is told
// once, and the column is then treated as one without a known code.
int Principal::dataTypeOf(const std::string& mnemonic) {
    if (IsBlank(mnemonic) || mnemonic == context_.language.DoNotImportText()) {
        return 0;
    }
    Status status;
    const int type = dictionary_.dataType(mnemonic, status);
    if (!status.ok() && !std::exchange(dictionaryErrorShown_, true)) {
        warn(DescribeStatus(status, context_.language));
    }
    return type;
}

void Principal::warn(const QString& text) {
    context_.dialogs.message(this, text, QMessageBox::Warning, QMessageBox::Ok);
}

void Principal::checkMnemonic() {
    ui_->Mnemonico->setModified(false);
    const QString typed = ui_->Mnemonico->text();
    if (typed.trimmed().isEmpty()) {
        clearCode(false, true);
        return;
    }
    const std::string mnemonic = ToAnsi(typed);
    if (mnemonic == context_.language.DoNotImportText()) {
        return; // a column marked as not imported has no code to look up
    }
    Status status;
    const auto code = dictionary_.findByMnemonic(mnemonic, status);
    if (!status.ok()) {
        warn(DescribeStatus(status, context_.language));
        return;
    }
    if (!code) {
        context_.dialogs.message(this, FromAnsi(context_.language.LoadText(msg::NoMatchesFound)),
                                 QMessageBox::Information, QMessageBox::Ok);
        clearCode(true, false);
        ui_->Mnemonico->setFocus();
        return;
    }
    applyCode(*code);
}

void Principal::takeCode(const CodeRow& code) {
    ui_->Mnemonico->setText(FromAnsi(FieldContent(code.Mnemonico)));
    applyCode(code);
}

// The item and index numbers stay exactly as the dictionary holds them: the
// index rule compares them with each other and with "no usable index".
void Principal::applyCode(const CodeRow& code) {
    ui_->ADIS->setText(FromAnsi(code.Codigo_ADIS));
    ui_->Necesario->setText(FromAnsi(code.INDICE_ADS));
    ui_->Prec_Recomendado->setText(numberText(code.Decimales));
    ui_->Esp_Recomendado->setText(numberText(code.Ancho));
    applyTypeChecks(FieldNumber(code.Tipo));
}

// A code's data type decides what the column may be: a date code is a date, a
// time code a time, and a box the type does not allow is cleared as well as
// disabled, so that no flag the user cannot see or change reaches the file.
void Principal::applyTypeChecks(int type) {
    const DataTypeRule rule = RuleForDataType(type);
    ui_->Fecha->setChecked(type == 4);
    ui_->Hora->setChecked(type == 5);
    if (!rule.separator) {
        setSeparatorChecked(false);
    }
    if (!rule.precision) {
        ui_->Precision->clear();
    }
    enableForType(type);
    updateSeparatorControls();
}

// A box that holds a flag stays enabled, so that a flag loaded with the table
// can always be taken back.
void Principal::enableForType(int type) {
    const DataTypeRule rule = RuleForDataType(type);
    ui_->Fecha->setEnabled(rule.date || ui_->Fecha->isChecked());
    ui_->Hora->setEnabled(rule.time || ui_->Hora->isChecked());
    ui_->Sep_Decimales->setEnabled(rule.separator || ui_->Sep_Decimales->isChecked());
    ui_->Precision->setEnabled(rule.precision);
}

void Principal::clearCode(bool typedMnemonic, bool sizes) {
    if (typedMnemonic) {
        ui_->Mnemonico->clear();
    }
    for (QLineEdit* box :
         {ui_->ADIS, ui_->Necesario, ui_->Prec_Recomendado, ui_->Esp_Recomendado}) {
        box->clear();
    }
    if (sizes) {
        ui_->Precision->clear();
        ui_->Espacios->clear();
    }
    ui_->Fecha->setChecked(false);
    ui_->Hora->setChecked(false);
    setSeparatorChecked(false);
    enableForType(0);
    updateSeparatorControls();
}

void Principal::noImport() {
    if (context_.session.busy()) {
        return;
    }
    ColumnDefinition notImported;
    notImported.Mnemonic = context_.language.DoNotImportText();
    notImported.SpareFlag = storedColumn(current_).SpareFlag;
    writeColumn(current_, notImported);
    // The controls still show the entry as it was: they must not be stored over it.
    storing_ = false;
    moveTo(current_ + 1);
    storing_ = true;
}

// Date, time and decimal separator exclude each other.
void Principal::dateClicked(bool checked) {
    if (checked) {
        ui_->Hora->setChecked(false);
        setSeparatorChecked(false);
    }
    updateSeparatorControls();
}

void Principal::timeClicked(bool checked) {
    if (checked) {
        ui_->Fecha->setChecked(false);
        setSeparatorChecked(false);
    }
    updateSeparatorControls();
}

void Principal::separatorClicked(bool checked) {
    if (checked) {
        ui_->Fecha->setChecked(false);
        ui_->Hora->setChecked(false);
    } else {
        turnSeparatorOff();
    }
    updateSeparatorControls();
}

// Turning the decimal separator off resets it and drops the correction factor,
// which is only offered together with a separator.
void Principal::setSeparatorChecked(bool checked) {
    if (ui_->Sep_Decimales->isChecked() == checked) {
        return;
    }
    ui_->Sep_Decimales->setChecked(checked);
    if (!checked) {
        turnSeparatorOff();
    }
}

void Principal::turnSeparatorOff() {
    resetSeparator();
    dropCorrectionFactor();
}

void Principal::resetSeparator() {
    const QSignalBlocker quiet(ui_->Separador);
    ui_->Separador->setCurrentIndex(0);
    ui_->Separador->setEditText(ui_->Separador->itemText(0));
}

void Principal::separatorTextChanged(const QString& text) {
    // Empty is allowed while typing: it stands for no separator.
    static const QStringList kAllowed = {QStringLiteral("."), QStringLiteral(","),
                                         QStringLiteral(" "), QString()};
    if (!kAllowed.contains(text)) {
        context_.dialogs.message(this, FromAnsi(context_.language.LoadText(msg::IncorrectValue)),
                                 QMessageBox::Warning, QMessageBox::Ok);
        resetSeparator();
    } else if (text.isEmpty()) {
        dropCorrectionFactor();
    }
    updateSeparatorControls();
}

// The factor is read as the ADIS writer reads it: in the decimal separator of
// the user's locale.
void Principal::factorTextChanged(const QString& text) {
    if (text.isEmpty() || ParseNumber(ToAnsi(text), context_.session.context().numbers)) {
        return;
    }
    context_.dialogs.message(this, FromAnsi(context_.language.LoadText(msg::NotANumber)),
                             QMessageBox::Warning, QMessageBox::Ok);
    ui_->txtFactorCorrector->clear();
    ui_->txtFactorCorrector->setFocus();
}

void Principal::updateSeparatorControls() {
    const bool separator = ui_->Sep_Decimales->isChecked();
    ui_->Separador->setVisible(separator);
    const bool factor = separator && !ui_->Separador->currentText().isEmpty();
    for (QWidget* control : std::initializer_list<QWidget*>{ui_->Label9, ui_->cmbFactorCorrector,
                                                            ui_->txtFactorCorrector}) {
        control->setVisible(factor);
    }
}

void Principal::dropCorrectionFactor() {
    {
        const QSignalBlocker quiet(ui_->txtFactorCorrector);
        ui_->cmbFactorCorrector->setCurrentIndex(0);
        ui_->txtFactorCorrector->clear();
    }
    ColumnDefinition column = storedColumn(current_);
    if (!column.CorrectionFactor.empty()) {
        column.CorrectionFactor.clear();
        writeColumn(current_, column);
    }
}

// Stores the current column, fits the table to the source (unassigned columns
// become "not imported"), checks the index codes and hands over.
void Principal::finish() {
    ImportSession& session = context_.session;
    if (session.busy()) {
        return;
    }
    storeCurrentColumn();
    ImportSetup prepared;
    prepared.ColumnTable = session.setup().ColumnTable;
    PrepareColumnTable(prepared, context_.language, preview_->columnCount());
    session.setColumnTable(std::move(prepared.ColumnTable));
    restoreColumnData();
    const auto indexMnemonic = [this](std::string_view itemNumber) {
        Status status;
        const auto mnemonic = dictionary_.indexMnemonic(itemNumber, status);
        return mnemonic ? std::optional<std::string>(FieldContent(*mnemonic)) : std::nullopt;
    };
    if (CheckRequiredIndexes(session.setup(), context_.language, context_.port, indexMnemonic)) {
        emit finished();
    }
}

} // namespace kolvane::converter
