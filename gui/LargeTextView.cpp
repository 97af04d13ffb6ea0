// SPDX-License-Identifier: MIT
#include "gui/LargeTextView.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStringList>
#include <climits>
#include <cstdint>
#include <filesystem>

namespace kolvane {
namespace {

// Indexed at once when a file or a text is shown, so that its first lines show
// before the helper thread or the first slice has run.
constexpr std::size_t kFirstRead = std::size_t{256} << 10;
// The rest of a text in memory is indexed in slices of at most 8 ms (pieces of
// 8 MiB, a few milliseconds each), between which the window handles its events.
constexpr std::size_t kTextSlice = std::size_t{8} << 20;
constexpr qint64 kSliceMilliseconds = 8;
constexpr int kLeftMargin = 3;
constexpr int kDragScrollMilliseconds = 40;
const QColor kCurrentLineColour(232, 242, 254);

} // namespace

LargeTextView::LargeTextView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setFocusPolicy(Qt::StrongFocus);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    setPalette(colours);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(1);
    textSlices_.setInterval(0);
    connect(&textSlices_, &QTimer::timeout, this, &LargeTextView::indexTextSlice);
}

LargeTextView::~LargeTextView() {
    fileIndexer_.stop(); // no piece is posted to a view that is going
}

void LargeTextView::restart() {
    fileIndexer_.stop();
    textSlices_.stop();
    ++generation_;
    lines_.reset();
    memory_ = nullptr;
    widestColumns_ = 0;
    notice_.clear();
    current_ = 0;
    anchor_ = 0;
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

void LargeTextView::clear() {
    restart();
    updateScrollBars();
    viewport()->update();
    emit indexed(0, true);
}

Status LargeTextView::openFile(const std::string& path) {
    restart();
    auto file = std::make_unique<FileBytes>();
    if (Status opened = file->open(path); !opened.ok()) {
        clear();
        return opened;
    }
    lines_.reset(std::move(file));
    const std::string head = lines_.bytes().read(0, kFirstRead);
    LineIndex& index = lines_.index();
    index.scan(head);
    if (head.size() < kFirstRead) {
        index.finish();
    } else {
        std::error_code ignored;
        index.reserveFor(std::filesystem::file_size(path, ignored));
        indexFileRest(path, head.size());
    }
    indexGrown(0);
    return Status::Ok();
}

void LargeTextView::indexFileRest(const std::string& path, std::uint64_t from) {
    const unsigned generation = generation_;
    fileIndexer_.start(path, from, [this, generation](FileLineIndexer::Piece piece) {
        QMetaObject::invokeMethod(
            this,
            [this, generation, piece = std::move(piece)]() mutable {
                receivePiece(generation, std::move(piece));
            },
            Qt::QueuedConnection);
    });
}

void LargeTextView::receivePiece(unsigned generation, FileLineIndexer::Piece piece) {
    LineIndex& index = lines_.index();
    if (generation != generation_ || index.complete()) {
        return;
    }
    const std::size_t before = index.lineCount();
    index.append(piece.startsAfterBreaks, piece.scannedTo);
    if (piece.last) {
        index.finish();
    }
    indexGrown(before);
    if (!piece.error.ok()) {
        emit readFailed(piece.error);
    }
}

void LargeTextView::showText(const std::string& text) {
    restart();
    auto memory = std::make_unique<MemoryBytes>(text);
    memory_ = memory.get();
    lines_.reset(std::move(memory));
    LineIndex& index = lines_.index();
    index.scan(std::string_view(text).substr(0, kFirstRead));
    if (index.scannedTo() >= text.size()) {
        index.finish();
    } else {
        index.reserveFor(text.size());
        textSlices_.start();
    }
    indexGrown(0);
}

void LargeTextView::indexTextSlice() {
    LineIndex& index = lines_.index();
    if (memory_ == nullptr || index.complete()) {
        textSlices_.stop();
        return;
    }
    if (memory_->changed()) {
        showText(memory_->text());
        return;
    }
    const std::string& text = memory_->text();
    const std::size_t before = index.lineCount();
    QElapsedTimer slice;
    slice.start();
    while (index.scannedTo() < text.size() && slice.elapsed() < kSliceMilliseconds) {
        const auto from = static_cast<std::size_t>(index.scannedTo());
        index.scan(std::string_view(text).substr(from, kTextSlice));
    }
    if (index.scannedTo() >= text.size()) {
        index.finish();
        textSlices_.stop();
    } else {
        textSlices_.start();
    }
    indexGrown(before);
}

// New lines change the scroll range, and the view when they are visible.
void LargeTextView::indexGrown(std::size_t linesBefore) {
    widestColumns_ = std::max(widestColumns_, lines_.index().longestLine());
    updateScrollBars();
    const auto shownTo = static_cast<std::size_t>(firstVisibleLine() + visibleLineCount() + 1);
    if (linesBefore < shownTo || indexComplete()) {
        viewport()->update();
    }
    emit indexed(lineCount(), indexComplete());
}

void LargeTextView::setNotice(const QString& notice) {
    notice_ = notice;
    viewport()->update();
}

QString LargeTextView::lineText(qsizetype line) const {
    if (line < 0 || line >= lineCount()) {
        return {};
    }
    return lines_.lineText(static_cast<std::size_t>(line));
}

void LargeTextView::paintLine(QPainter& painter, qsizetype line, int y, int columns) const {
    const QRect row(0, y, viewport()->width(), lineHeight());
    const bool selected =
        anchor_ != current_ && line >= selectionFirst() && line <= selectionLast();
    if (selected) {
        painter.fillRect(row, palette().color(QPalette::Highlight));
        painter.setPen(palette().color(QPalette::HighlightedText));
    } else {
        if (line == current_) {
            painter.fillRect(row, kCurrentLineColour);
        }
        painter.setPen(palette().color(QPalette::Text));
    }
    const QString shown = lines_.shownPart(static_cast<std::size_t>(line),
                                           static_cast<std::uint64_t>(firstVisibleColumn()),
                                           static_cast<std::size_t>(columns), widestColumns_);
    painter.drawText(kLeftMargin, y + fontMetrics().ascent(), shown);
}

void LargeTextView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(viewport());
    if (memory_ != nullptr && memory_->changed()) {
        QTimer::singleShot(0, this, [this] {
            if (memory_ != nullptr && memory_->changed()) {
                showText(memory_->text());
            }
        });
        return;
    }
    if (lineCount() == 0) {
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(viewport()->rect().adjusted(8, 8, -8, -8),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, notice_);
        return;
    }
    const std::uint64_t widestBefore = widestColumns_;
    const int columns = visibleColumns() + 1;
    const qsizetype last = std::min(lineCount(), firstVisibleLine() + visibleLineCount() + 1);
    for (qsizetype line = firstVisibleLine(), y = 0; line < last; ++line, y += lineHeight()) {
        paintLine(painter, line, static_cast<int>(y), columns);
    }
    if (widestColumns_ != widestBefore) {
        QTimer::singleShot(0, this, &LargeTextView::updateScrollBars);
    }
}

int LargeTextView::lineHeight() const {
    return std::max(1, fontMetrics().height());
}

int LargeTextView::charWidth() const {
    return std::max(1, fontMetrics().horizontalAdvance(QLatin1Char('M')));
}

int LargeTextView::visibleColumns() const {
    return std::max(1, (viewport()->width() - kLeftMargin) / charWidth());
}

qsizetype LargeTextView::firstVisibleLine() const {
    return verticalScrollBar()->value();
}

qsizetype LargeTextView::visibleLineCount() const {
    return std::max(1, viewport()->height() / lineHeight());
}

int LargeTextView::firstVisibleColumn() const {
    return horizontalScrollBar()->value();
}

// Scroll bars count lines and columns (not pixels), so their int range holds
// two thousand million of each.
void LargeTextView::updateScrollBars() {
    const auto range = [](qsizetype count, qsizetype page) {
        return static_cast<int>(std::clamp<qsizetype>(count - page, 0, INT_MAX));
    };
    const qsizetype page = visibleLineCount();
    verticalScrollBar()->setPageStep(static_cast<int>(page));
    verticalScrollBar()->setRange(0, range(lineCount(), page));
    const int columns = visibleColumns();
    const auto widest = static_cast<qsizetype>(std::min<std::uint64_t>(widestColumns_, INT_MAX));
    horizontalScrollBar()->setPageStep(columns);
    horizontalScrollBar()->setRange(0, range(widest + 1, columns));
}

void LargeTextView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void LargeTextView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() != QEvent::FontChange) {
        return;
    }
    // A family that is not installed falls back to a proportional font; the
    // columns of an export only line up in a fixed-pitch one.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!QFontInfo(font()).fixedPitch() && font().family() != fixed.family()) {
        QFont replacement = font();
        replacement.setFamily(fixed.family());
        setFont(replacement);
    }
    updateScrollBars();
    viewport()->update();
}

void LargeTextView::scrollContentsBy(int /*dx*/, int /*dy*/) {
    viewport()->update();
}

void LargeTextView::ensureVisible(qsizetype line) {
    const qsizetype top = firstVisibleLine();
    if (line < top) {
        verticalScrollBar()->setValue(static_cast<int>(line));
    } else if (line >= top + visibleLineCount()) {
        verticalScrollBar()->setValue(static_cast<int>(line - visibleLineCount() + 1));
    }
}

void LargeTextView::setCurrentLine(qsizetype line, bool extendSelection) {
    if (lineCount() == 0) {
        return;
    }
    current_ = std::clamp<qsizetype>(line, 0, lineCount() - 1);
    if (!extendSelection) {
        anchor_ = current_;
    }
    ensureVisible(current_);
    viewport()->update();
}

QString LargeTextView::selectedText() const {
    if (lineCount() == 0) {
        return {};
    }
    return lines_.linesText(static_cast<std::size_t>(selectionFirst()),
                            static_cast<std::size_t>(std::min(selectionLast(), lineCount() - 1)));
}

void LargeTextView::copy() const {
    if (lineCount() > 0) {
        QGuiApplication::clipboard()->setText(selectedText());
    }
}

bool LargeTextView::handleMoveKey(const QKeyEvent& event) {
    const bool extend = event.modifiers().testFlag(Qt::ShiftModifier);
    const bool control = event.modifiers().testFlag(Qt::ControlModifier);
    const qsizetype page = visibleLineCount();
    QScrollBar& across = *horizontalScrollBar();
    switch (event.key()) {
    case Qt::Key_Up:
        setCurrentLine(current_ - 1, extend);
        return true;
    case Qt::Key_Down:
        setCurrentLine(current_ + 1, extend);
        return true;
    case Qt::Key_PageUp:
        setCurrentLine(current_ - page, extend);
        return true;
    case Qt::Key_PageDown:
        setCurrentLine(current_ + page, extend);
        return true;
    case Qt::Key_Left:
        across.setValue(across.value() - 1);
        return true;
    case Qt::Key_Right:
        across.setValue(across.value() + 1);
        return true;
    case Qt::Key_Home:
        control ? setCurrentLine(0, extend) : across.setValue(0);
        return true;
    case Qt::Key_End:
        control ? setCurrentLine(lineCount() - 1, extend) : across.setValue(across.maximum());
        return true;
    default:
        return false;
    }
}

void LargeTextView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (!handleMoveKey(*event)) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

qsizetype LargeTextView::lineAt(int y) const {
    const int row = y < 0 ? -1 - (-y - 1) / lineHeight() : y / lineHeight();
    return firstVisibleLine() + row;
}

void LargeTextView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    setCurrentLine(lineAt(event->position().toPoint().y()),
                   event->modifiers().testFlag(Qt::ShiftModifier));
}

// Dragging selects; held above or below the view it keeps scrolling.
void LargeTextView::mouseMoveEvent(QMouseEvent* event) {
    if (!event->buttons().testFlag(Qt::LeftButton)) {
        return;
    }
    const int y = event->position().toPoint().y();
    dragDirection_ = y < 0 ? -1 : (y >= viewport()->height() ? 1 : 0);
    if (dragDirection_ == 0) {
        dragScroll_.stop();
        setCurrentLine(lineAt(y), true);
    } else if (!dragScroll_.isActive()) {
        dragScroll_.start(kDragScrollMilliseconds, this);
    }
}

void LargeTextView::mouseReleaseEvent(QMouseEvent* event) {
    dragScroll_.stop();
    event->accept();
}

void LargeTextView::timerEvent(QTimerEvent* event) {
    if (event->timerId() != dragScroll_.timerId()) {
        QAbstractScrollArea::timerEvent(event);
        return;
    }
    setCurrentLine(current_ + dragDirection_, true);
}

} // namespace kolvane
