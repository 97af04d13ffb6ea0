// SPDX-License-Identifier: MIT
#include "converter/frmCodigos.h"

#include "converter/ButtonMnemonics.h"
#include "converter/CodeListModel.h"
#include "converter/ConverterContext.h"
#include "converter/GridRows.h"
#include "gui/JobRunner.h"
#include "gui/QtText.h"
#include "ui_frmCodigos.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>

namespace kolvane::converter {
namespace {

bool isEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

struct frmCodigos::Fill {
    std::vector<CodeRow> rows;
    Status status;
};

frmCodigos::frmCodigos(ConverterContext& context, Kind kind, QWidget* parent)
    : QDialog(parent), context_(context), kind_(kind), ui_(std::make_unique<Ui::frmCodigos>()),
      model_(new CodeListModel(context.language, this)),
      fillPort_(std::make_unique<GuiPort>(context.language, context.dialogs, context.codeProgress)),
      fills_(std::make_unique<JobRunner>(*fillPort_)) {
    ui_->setupUi(this);
    context_.localiser.localise(*this);
    AddButtonMnemonics(*this);
    QTableView& grid = *ui_->MSFlexGrid1;
    grid.setModel(model_);
    FitRowsToFont(grid);
    grid.horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    grid.verticalHeader()->hide();
    grid.installEventFilter(this);
    ui_->txtBuscar->installEventFilter(this);

    connect(ui_->Aceptar, &QPushButton::clicked, this, &frmCodigos::takeCode);
    connect(ui_->Cancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::rejected, ui_->txtBuscar, &QLineEdit::clear);
    connect(ui_->Buscar, &QPushButton::clicked, this, [this] { search(ui_->txtBuscar->text()); });
    connect(&grid, &QTableView::doubleClicked, this, &frmCodigos::takeCode);
    connect(&grid, &QWidget::customContextMenuRequested, this, [this, &grid](const QPoint& at) {
        openPopup(grid.viewport()->mapToGlobal(at), grid.columnAt(at.x()));
    });
    connect(grid.horizontalHeader(), &QWidget::customContextMenuRequested, this,
            [this, &grid](const QPoint& at) {
                QHeaderView& header = *grid.horizontalHeader();
                openPopup(header.mapToGlobal(at), header.logicalIndexAt(at));
            });
    connect(ui_->popAscendente, &QAction::triggered, this,
            [this] { sortRemembered(Qt::AscendingOrder); });
    connect(ui_->popDescendente, &QAction::triggered, this,
            [this] { sortRemembered(Qt::DescendingOrder); });
}

frmCodigos::~frmCodigos() = default;

void frmCodigos::setSearchResults(frmCodigos& results) {
    if (searchResults_ != this) {
        disconnect(searchResults_, &frmCodigos::codeChosen, this, &frmCodigos::codeChosen);
    }
    searchResults_ = &results;
    if (&results != this) {
        connect(&results, &frmCodigos::codeChosen, this, &frmCodigos::codeChosen);
    }
}

bool frmCodigos::filling() const {
    return fills_->busy();
}

int frmCodigos::codeCount() const {
    return model_->rowCount();
}

CodeRow frmCodigos::code(int row) const {
    return model_->row(row);
}

void frmCodigos::showForChoice() {
    ui_->txtBuscar->clear();
    if (!filledOnce_) {
        fillGrid();
    }
    if (!isVisible()) {
        setWindowModality(Qt::ApplicationModal);
        show();
    }
    raise();
    activateWindow();
}

void frmCodigos::search(const QString& text) {
    frmCodigos& results = *searchResults_;
    if (&results != this) {
        hide();
    }
    results.showResultsFor(text);
}

void frmCodigos::showResultsFor(const QString& text) {
    searchText_ = ToAnsi(text);
    fillGrid();
    show();
    raise();
    activateWindow();
}

void frmCodigos::fillGrid() {
    filledOnce_ = true;
    model_->clear();
    context_.codeProgress.begin(FromAnsi(context_.language.LoadText(msg::LoadingCodes)));
    startFill(context_.codeDictionaryPath);
}

// The dictionary is read on a helper thread; a fill asked for while one runs
// follows it, so the grid always shows the last request.
void frmCodigos::startFill(const std::string& databasePath) {
    if (fills_->busy()) {
        refillPending_ = true;
        return;
    }
    const bool everyCode = kind_ == Kind::CodeList;
    fills_->start(
        [databasePath, everyCode, text = searchText_](JobControl&) {
            const CodeDictionary dictionary(databasePath);
            Fill fill;
            fill.rows =
                everyCode ? dictionary.allCodes(fill.status) : dictionary.search(text, fill.status);
            return fill;
        },
        [this](std::optional<Fill> fill) { fillEnded(std::move(fill)); });
}

void frmCodigos::fillEnded(std::optional<Fill> fill) {
    if (std::exchange(refillPending_, false)) {
        startFill(context_.codeDictionaryPath);
        return;
    }
    if (!fill || reportFailure(*fill)) {
        return;
    }
    if (fill->rows.empty() && kind_ == Kind::CodeList) {
        context_.dialogs.message(this, FromAnsi(context_.language.LoadText(msg::DatabaseHasNoData)),
                                 QMessageBox::Information, QMessageBox::Ok);
    }
    model_->setRows(std::move(fill->rows));
    QTableView& grid = *ui_->MSFlexGrid1;
    grid.resizeColumnsToContents();
    fitWidthToColumns();
    if (model_->rowCount() > 0) {
        grid.setCurrentIndex(model_->index(0, 0));
    }
    finishFill();
}

// A missing dictionary is asked for (the file chosen serves this fill only);
// other failures are told. True when the fill has ended or goes on elsewhere.
bool frmCodigos::reportFailure(const Fill& fill) {
    if (fill.status.ok()) {
        return false;
    }
    context_.codeProgress.finish();
    if (fill.status.code() == ErrorCode::FileNotFound) {
        const QString chosen = context_.dialogs.openFileName(
            this, FromAnsi(context_.language.LoadText(msg::MenuOpen)),
            FromAnsi(context_.language.LoadText(msg::DatabaseLabel)) +
                QStringLiteral(" (%1)|%1").arg(QLatin1String(kCodeDictionaryFile)));
        if (!chosen.isEmpty()) {
            context_.codeProgress.begin(FromAnsi(context_.language.LoadText(msg::LoadingCodes)));
            startFill(ToPath(chosen));
            return true;
        }
    } else {
        context_.dialogs.message(this, DescribeStatus(fill.status, context_.language),
                                 QMessageBox::Warning, QMessageBox::Ok);
    }
    finishFill();
    return true;
}

// Before it is first shown the window takes the width its columns need, as far
// as the screen allows.
void frmCodigos::fitWidthToColumns() {
    if (isVisible()) {
        return;
    }
    const QTableView& grid = *ui_->MSFlexGrid1;
    const QMargins margins = layout()->contentsMargins();
    const int wanted = grid.horizontalHeader()->length() +
                       grid.verticalScrollBar()->sizeHint().width() + 2 * grid.frameWidth() +
                       margins.left() + margins.right();
    const int available = screen() ? screen()->availableGeometry().width() * 9 / 10 : wanted;
    if (wanted > width()) {
        resize(std::min(wanted, std::max(available, width())), height());
    }
}

void frmCodigos::finishFill() {
    context_.codeProgress.finish();
    ui_->txtBuscar->clear();
    emit filled();
}

void frmCodigos::takeCode() {
    const QModelIndex current = ui_->MSFlexGrid1->currentIndex();
    if (current.isValid()) {
        emit codeChosen(model_->row(current.row()));
    }
    ui_->txtBuscar->clear();
    hide();
}

void frmCodigos::openPopup(const QPoint& globalPosition, int column) {
    sortColumn_ = column;
    ui_->mnupopup->popup(globalPosition);
}

void frmCodigos::sortRemembered(Qt::SortOrder order) {
    model_->sortRows(sortColumn_, order);
}

// Enter searches in a search box that holds text and takes the code in the
// grid; neither reaches the dialog's default button.
bool frmCodigos::eventFilter(QObject* watched, QEvent* event) {
    if (isEnter(event)) {
        if (watched == ui_->txtBuscar) {
            if (!ui_->txtBuscar->text().isEmpty()) {
                search(ui_->txtBuscar->text());
            }
            return true;
        }
        if (watched == ui_->MSFlexGrid1) {
            takeCode();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kolvane::converter
