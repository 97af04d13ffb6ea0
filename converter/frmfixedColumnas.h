// SPDX-License-Identifier: MIT
// The fixed columns window (workflow step 3): the first lines of the source,
// one character per cell, where the user marks the first character of every
// column, with the mouse or with the arrow keys and Space. The marks are the
// setup's FixedColumnStarts, changed through the session; the window only
// shows them (or, after "Paint", the columns they give). "Calculate and
// Proceed" is left to the workflow, which cuts the source and opens the
// columns window.
#pragma once

#include <QWidget>
#include <memory>
#include <optional>

namespace kolvane::converter {

struct ConverterContext;
struct ShownLines;
class CharacterGridModel;

namespace Ui {
class frmfixedColumnas;
}

class frmfixedColumnas final : public QWidget {
    Q_OBJECT
public:
    // Starts reading the lines to show (a job of the session, with the working
    // window); filled() follows.
    explicit frmfixedColumnas(ConverterContext& context, QWidget* parent = nullptr);
    ~frmfixedColumnas() override;

    // For the workflow when the window is activated: shows the note window
    // (modal) the first time, while the user wants to see it.
    void showNoteIfWanted();

    QSize sizeHint() const override;

signals:
    // The grid shows what could be read (a file that cannot be read has been
    // reported to the user and leaves the grid empty).
    void filled();
    // "Calculate and Proceed": cut the source by the marks and go on.
    void proceedRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUpGrid();
    void startFilling();
    void showLines(std::optional<ShownLines> shown);
    void toggleStartAt(int column);
    void resetStarts();
    void paintColumns();
    void showLooks();
    void updateEnabled();

    ConverterContext& context_;
    std::unique_ptr<Ui::frmfixedColumnas> ui_;
    CharacterGridModel* grid_;
    bool painted_ = false;     // the columns are shown painted, not the marks
    bool fillWaiting_ = false; // another job held the session when the window opened
    bool filling_ = false;
    bool filled_ = false;
    bool noteShown_ = false;
};

} // namespace kolvane::converter
