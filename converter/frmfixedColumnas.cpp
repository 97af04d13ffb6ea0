// SPDX-License-Identifier: MIT
#include "converter/frmfixedColumnas.h"

#include "converter/CharacterGridModel.h"
#include "converter/ConverterContext.h"
#include "converter/ShownLines.h"
#include "converter/frmExplicacion.h"
#include "gui/QtText.h"
#include "ui_frmfixedColumnas.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>

namespace kolvane::converter {
namespace {

// The settings the reading of the shown lines needs, without the tables.
ImportSetup readingSettings(const ImportSetup& setup) {
    ImportSetup settings;
    settings.SourceFilePath = setup.SourceFilePath;
    settings.TopLinesToSkip = setup.TopLinesToSkip;
    settings.BottomLinesToSkip = setup.BottomLinesToSkip;
    settings.LineFilterMode = setup.LineFilterMode;
    settings.LineFilterText = setup.LineFilterText;
    return settings;
}

} // namespace

frmfixedColumnas::frmfixedColumnas(ConverterContext& context, QWidget* parent)
    : QWidget(parent), context_(context), ui_(std::make_unique<Ui::frmfixedColumnas>()),
      grid_(new CharacterGridModel(this)) {
    ui_->setupUi(this);
    context_.localiser.localise(*this);
    setUpGrid();
    connect(ui_->MSFlexGrid1, &QTableView::clicked, this,
            [this](const QModelIndex& cell) { toggleStartAt(cell.column()); });
    connect(ui_->btnReset, &QPushButton::clicked, this, &frmfixedColumnas::resetStarts);
    connect(ui_->btnPintar, &QPushButton::clicked, this, &frmfixedColumnas::paintColumns);
    connect(ui_->btnCalcular, &QPushButton::clicked, this, &frmfixedColumnas::proceedRequested);
    connect(&context_.session, &ImportSession::setupChanged, this, &frmfixedColumnas::showLooks);
    connect(&context_.session, &ImportSession::busyChanged, this, [this](bool busy) {
        if (!busy && fillWaiting_) {
            // After the job that held the session has delivered its result.
            QMetaObject::invokeMethod(this, &frmfixedColumnas::startFilling, Qt::QueuedConnection);
        }
        updateEnabled();
    });
    startFilling();
}

frmfixedColumnas::~frmfixedColumnas() {
    if (filling_) {
        context_.session.jobs().cancel();
    }
}

// Room for a few dozen characters of a dozen lines, as an MDI child opens.
QSize frmfixedColumnas::sizeHint() const {
    return QWidget::sizeHint().expandedTo(QSize(760, 480));
}

void frmfixedColumnas::setUpGrid() {
    QTableView& view = *ui_->MSFlexGrid1;
    const QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    view.setFont(font);
    view.setModel(grid_);
    grid_->setFont(font);
    const QFontMetrics metrics(font);
    // Narrow columns of one character each, as on a ruler.
    QHeaderView& columns = *view.horizontalHeader();
    columns.setFont(font);
    columns.setMinimumSectionSize(1);
    columns.setDefaultSectionSize(metrics.horizontalAdvance(QLatin1Char('W')) + 6);
    columns.setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView& rows = *view.verticalHeader();
    rows.setDefaultSectionSize(metrics.height() + 4);
    rows.setSectionResizeMode(QHeaderView::Fixed);
    rows.hide();
    view.installEventFilter(this);
}

void frmfixedColumnas::startFilling() {
    if (filling_ || filled_) {
        return;
    }
    const ImportSetup settings = readingSettings(context_.session.setup());
    UserPort& port = context_.port;
    const QPointer<frmfixedColumnas> window(this);
    filling_ = context_.session.jobs().start(
        [settings, &port](JobControl& control) {
            return ReadShownLines(settings, SourceData::file(settings.SourceFilePath), port,
                                  control.stopFlag());
        },
        [window](std::optional<ShownLines> shown) {
            if (window) {
                window->showLines(std::move(shown));
            }
        });
    fillWaiting_ = !filling_;
    updateEnabled();
}

void frmfixedColumnas::showLines(std::optional<ShownLines> shown) {
    filling_ = false;
    if (!shown) {
        return;
    }
    if (!shown->status.ok()) {
        context_.dialogs.message(this, DescribeStatus(shown->status, context_.language),
                                 QMessageBox::Warning, QMessageBox::Ok);
    }
    QStringList lines;
    for (const std::string& line : shown->lines) {
        lines << FromAnsi(line);
    }
    grid_->setLines(std::move(lines));
    showLooks();
    filled_ = grid_->rowCount() > 0;
    if (filled_) {
        ui_->MSFlexGrid1->setCurrentIndex(grid_->index(0, 0));
    }
    updateEnabled();
    emit filled();
}

void frmfixedColumnas::toggleStartAt(int column) {
    if (column <= 0 || column >= grid_->width()) {
        return;
    }
    const FixedColumnStarts toggled =
        ToggleColumnStart(context_.session.setup().FixedColumnStarts, column);
    painted_ = false; // a change shows the marks again
    if (!context_.session.changeSettings(
            [&toggled](ImportSetup& setup) { setup.FixedColumnStarts = toggled; })) {
        showLooks();
    }
}

// One column over the whole width of the shown lines.
void frmfixedColumnas::resetStarts() {
    const auto width = static_cast<std::int16_t>(grid_->width());
    painted_ = false;
    if (!context_.session.changeSettings(
            [width](ImportSetup& setup) { setup.FixedColumnStarts = {width}; })) {
        showLooks();
    }
}

void frmfixedColumnas::paintColumns() {
    painted_ = true;
    showLooks();
}

void frmfixedColumnas::showLooks() {
    const FixedColumnStarts& starts = context_.session.setup().FixedColumnStarts;
    grid_->setLooks(painted_ ? PaintedLooks(starts, grid_->width())
                             : MarkedLooks(starts, grid_->width()));
}

void frmfixedColumnas::updateEnabled() {
    const bool usable = filled_ && !context_.session.busy();
    for (QWidget* control : std::initializer_list<QWidget*>{ui_->MSFlexGrid1, ui_->btnPintar,
                                                            ui_->btnReset, ui_->btnCalcular}) {
        control->setEnabled(usable);
    }
}

// Space marks or unmarks the start at the current cell's column; the arrow
// keys move the current cell as in any grid.
bool frmfixedColumnas::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->MSFlexGrid1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
            const QModelIndex current = ui_->MSFlexGrid1->currentIndex();
            if (current.isValid()) {
                toggleStartAt(current.column());
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmfixedColumnas::showNoteIfWanted() {
    if (!context_.showFixedColumnsNote || noteShown_) {
        return;
    }
    noteShown_ = true;
    frmExplicacion note(context_, this);
    note.exec();
}

} // namespace kolvane::converter
