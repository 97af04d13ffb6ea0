// SPDX-License-Identifier: MIT
// A read-only, fixed-pitch view of a text too large for a text widget: a file
// of a million lines, or the ADIS text of an import. It keeps only an index of
// line starts (8 bytes a line) and paints the visible lines, read on demand.
// A file is indexed on a helper thread and a text in memory in slices on the
// window thread; the lines found so far are shown (and scrollable) at once.
// Text is ANSI (Windows-1252); lines end in CR LF or LF. The user scrolls with
// the wheel, the scroll bars and the keyboard, selects whole lines with the
// mouse or Shift and the arrow keys, and copies them with Ctrl+C.
#pragma once

#include "engine/Status.h"
#include "gui/FileLineIndexer.h"
#include "gui/TextLines.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QTimer>
#include <memory>
#include <string>

namespace kolvane {

class LargeTextView final : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit LargeTextView(QWidget* parent = nullptr);
    ~LargeTextView() override;

    // Shows a file (an engine path). When it cannot be read the view is empty
    // and the status names the file and the reason.
    Status openFile(const std::string& path);
    // Shows a text owned by the caller, who keeps it alive while it is shown
    // (until clear(), another text or file, or the end of the view) and calls
    // this again when it changes. Never copied: a view of a 70 MB text costs
    // its index only.
    void showText(const std::string& text);
    void clear();
    // Painted instead of lines while there are none (why nothing is shown).
    void setNotice(const QString& notice);
    const QString& notice() const { return notice_; }

    // The lines found so far; all of them once indexComplete().
    qsizetype lineCount() const { return static_cast<qsizetype>(lines_.lineCount()); }
    bool indexComplete() const { return lines_.index().complete(); }
    // Line `line` (from 0) without its line end; "" outside the lines.
    QString lineText(qsizetype line) const;
    std::size_t indexMemoryBytes() const { return lines_.index().memoryBytes(); }

    // The line with the keyboard focus, and the selected lines around it:
    // from the anchor (where the selection began) to the current line.
    qsizetype currentLine() const { return current_; }
    void setCurrentLine(qsizetype line, bool extendSelection = false);
    qsizetype selectionFirst() const { return std::min(anchor_, current_); }
    qsizetype selectionLast() const { return std::max(anchor_, current_); }
    // The selected lines, joined by line ends ("\n").
    QString selectedText() const;
    void copy() const;

    qsizetype firstVisibleLine() const;
    qsizetype visibleLineCount() const; // whole lines that fit
    int firstVisibleColumn() const;

signals:
    void indexed(qsizetype lineCount, bool complete);
    // Reading the file failed part way; the lines found until then stay.
    void readFailed(const kolvane::Status& status);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void restart();
    void indexFileRest(const std::string& path, std::uint64_t from);
    void receivePiece(unsigned generation, FileLineIndexer::Piece piece);
    void indexTextSlice();
    void indexGrown(std::size_t linesBefore);

    void paintLine(QPainter& painter, qsizetype line, int y, int columns) const;
    void updateScrollBars();
    void ensureVisible(qsizetype line);
    qsizetype lineAt(int y) const;
    int lineHeight() const;
    int charWidth() const;
    int visibleColumns() const;
    bool handleMoveKey(const QKeyEvent& event);

    TextLines lines_;
    MemoryBytes* memory_ = nullptr; // the bytes of lines_, when it is a text in memory
    FileLineIndexer fileIndexer_;
    QTimer textSlices_;
    unsigned generation_ = 0; // pieces of an earlier file are dropped
    mutable std::uint64_t widestColumns_ = 0;
    QString notice_;
    qsizetype current_ = 0;
    qsizetype anchor_ = 0;
    QBasicTimer dragScroll_;
    int dragDirection_ = 0;
};

} // namespace kolvane
