// SPDX-License-Identifier: MIT
// The code selection window: codes of the code dictionary in a grid that sorts
// by any column and searches by free text; the code the user takes goes to the
// columns and codes window. Two instances live for the whole run: the code
// list, filled once with the whole dictionary, and the search-result window,
// refilled at every search. Both stay loaded and are only hidden between uses.
#pragma once

#include "herdlink/CodeDictionary.h"

#include <QDialog>
#include <memory>
#include <optional>

namespace kolvane {
class GuiPort;
class JobRunner;
} // namespace kolvane

namespace kolvane::converter {

struct ConverterContext;
class CodeListModel;

namespace Ui {
class frmCodigos;
}

class frmCodigos final : public QDialog {
    Q_OBJECT
public:
    enum class Kind {
        CodeList,      // every code; an empty dictionary is reported
        SearchResults, // the codes of the last search; an empty result is not
    };

    frmCodigos(ConverterContext& context, Kind kind, QWidget* parent = nullptr);
    ~frmCodigos() override;

    Kind kind() const { return kind_; }
    // The window that shows this window's searches (the search-result window
    // shows its own). Codes taken there are announced by this window too.
    void setSearchResults(frmCodigos& results);

    // Fills the grid from the code dictionary without blocking the window
    // thread; `filled` follows. A missing dictionary file is asked for, and the
    // file chosen serves this fill only.
    void fillGrid();
    bool filling() const;
    // As the columns window opens the code list: the search box cleared, the
    // grid filled once, shown modally without blocking the caller.
    void showForChoice();
    // Shows the codes that hold `text` in the search-result window (Search).
    void search(const QString& text);

    int codeCount() const;
    CodeRow code(int row) const;

signals:
    // The user took a code (OK, a double click or Enter in the grid).
    void codeChosen(const CodeRow& code);
    // A fill has ended, with rows or without.
    void filled();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Fill;
    void showResultsFor(const QString& text);
    void startFill(const std::string& databasePath);
    void fillEnded(std::optional<Fill> fill);
    bool reportFailure(const Fill& fill);
    void fitWidthToColumns();
    void finishFill();
    void takeCode();
    void openPopup(const QPoint& globalPosition, int column);
    void sortRemembered(Qt::SortOrder order);

    ConverterContext& context_;
    Kind kind_;
    std::unique_ptr<Ui::frmCodigos> ui_;
    CodeListModel* model_;
    frmCodigos* searchResults_ = this;
    std::string searchText_; // ANSI, the text of the last search
    int sortColumn_ = -1;    // the column last right-clicked
    bool filledOnce_ = false;
    bool refillPending_ = false;
    // The fills' own port: cancelling a fill must not answer questions that
    // the import session's jobs wait on.
    std::unique_ptr<GuiPort> fillPort_;
    std::unique_ptr<JobRunner> fills_; // last: stopped before anything it uses goes
};

} // namespace kolvane::converter
