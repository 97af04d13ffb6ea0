// SPDX-License-Identifier: MIT
// The waiting window: the progress of the conversion (with Cancel), then the
// waiting picture and the seconds elapsed while the importer runs, then
// whether the importer reported errors or warnings, with the report on
// request (Details / Hide details, Save..., Copy, the importer's own file).
#pragma once

#include "gui/ProgressWindow.h"

#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <memory>

namespace kolvane {
class FormLocaliser;
}

namespace kolvane::runner {

namespace Ui {
class frmWitingToEnd;
}

class frmWitingToEnd final : public ProgressWindow {
    Q_OBJECT
public:
    // The line that counts the seconds while the importer runs.
    using ElapsedText = std::function<QString(int seconds)>;

    explicit frmWitingToEnd(const FormLocaliser& localiser, QWidget* parent = nullptr);
    ~frmWitingToEnd() override;

    void setStatus(const QString& text);
    QString status() const;
    // The conversion: its bar of the rows and Cancel, until endConversion().
    void startConversion();
    void endConversion();
    bool converting() const { return converting_; }
    // Between the steps of a conversion the window and its bar stay.
    void finish() override {}
    // The importer runs: the picture moves and the seconds are counted.
    void startImporterWait(ElapsedText elapsedText);
    // The line counter while the report is read: the picture moves on after
    // the 25th group and then after every 24 more.
    void showLineCounter(const QString& prefix, int lineCounter);
    // The outcome: `text` in a large font beside the information or warning
    // icon, the importer's counts under it; with errors the Details button.
    // With `reportAvailable` a button opens the importer's own result file.
    void showOutcome(bool noErrors, const QString& text, const QString& counts,
                     const QString& details, bool reportAvailable);
    QString details() const { return details_; }
    int pictureIndex() const { return picture_; }

signals:
    void done(); // OK, or the window closed
    void cancelRequested();
    void saveDetailsRequested();
    void openReportRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void showPicture(int index);
    void tick();
    void showDetails();
    void hideDetails();
    void setDetailButtonsVisible(bool visible);

    std::unique_ptr<Ui::frmWitingToEnd> ui_;
    QTimer animation_;
    QElapsedTimer importerClock_;
    ElapsedText elapsedText_;
    int shownSeconds_ = -1;
    int picture_ = 0;   // 0 to 8: the pictures 104 to 112
    int groupPace_ = 0; // counts groups; at 25 the picture moves on
    bool converting_ = false;
    QString details_;
};

} // namespace kolvane::runner
