// SPDX-License-Identifier: MIT
// The choice of a registered automatic import, with its explanation. Entries
// read as their names (the file name without ".dst"), the full path as their
// tool tip; with nothing registered the window says so and offers the search
// for a setup file instead of an empty list.
#pragma once

#include <QDialog>
#include <memory>

namespace kolvane {
class FormLocaliser;
}

namespace kolvane::runner {

namespace Ui {
class frmAutom;
}

class frmAutom final : public QDialog {
    Q_OBJECT
public:
    explicit frmAutom(const FormLocaliser& localiser, QWidget* parent = nullptr);
    ~frmAutom() override;

    // The registered DST paths with entry `chosen` selected; with none,
    // `emptyNote` takes the place of the list.
    void setEntries(const QStringList& paths, int chosen, const QString& emptyNote);
    // The explanation of the entry chosen last.
    void setExplanation(const QString& text);
    // The path of the chosen entry, or what the user typed without blanks
    // around it; "" for nothing.
    QString chosenSetup() const;

    // How an entry reads: its file name without ".dst".
    static QString EntryName(const QString& path);

signals:
    // Another entry was chosen (its path).
    void entryChosen(const QString& path);
    // OK: the caller reads chosenSetup() and closes the window.
    void confirmed();
    // "Search File...": the caller asks for a setup file.
    void searchRequested();
    void cancelled();

private:
    std::unique_ptr<Ui::frmAutom> ui_;
};

} // namespace kolvane::runner
