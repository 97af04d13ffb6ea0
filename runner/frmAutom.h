// SPDX-License-Identifier: MIT
// The choice of a registered automatic import, with its explanation.
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

    // The registered DST paths, none chosen yet.
    void setEntries(const QStringList& paths);
    // The explanation of the entry chosen last.
    void setExplanation(const QString& text);
    // What the user chose or typed, without blanks around it; "" for nothing.
    QString chosenSetup() const;

signals:
    // Another entry was chosen (its path).
    void entryChosen(const QString& path);
    // OK: the caller reads chosenSetup() and closes the window.
    void confirmed();
    void cancelled();

private:
    std::unique_ptr<Ui::frmAutom> ui_;
};

} // namespace kolvane::runner
