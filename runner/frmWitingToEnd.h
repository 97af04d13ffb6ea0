// SPDX-License-Identifier: MIT
// The waiting window: shown while the file is converted and imported, it then
// tells whether the importer reported errors or warnings, with the report on
// request (Details / Hide details).
#pragma once

#include <QDialog>
#include <QTimer>
#include <memory>

namespace kolvane {
class FormLocaliser;
}

namespace kolvane::runner {

namespace Ui {
class frmWitingToEnd;
}

class frmWitingToEnd final : public QDialog {
    Q_OBJECT
public:
    explicit frmWitingToEnd(const FormLocaliser& localiser, QWidget* parent = nullptr);
    ~frmWitingToEnd() override;

    void setStatus(const QString& text);
    QString status() const;
    // The animation runs while the importer works, so the window keeps moving.
    void startAnimation();
    // The line counter while the report is read: the picture moves on after
    // the 25th group and then after every 24 more.
    void showLineCounter(const QString& prefix, int lineCounter);
    // The outcome: `text` in a large font beside the information or warning
    // icon, the importer's counts under it; with errors the Details button.
    void showOutcome(bool noErrors, const QString& text, const QString& counts,
                     const QString& details);
    int pictureIndex() const { return picture_; }

signals:
    void done(); // OK, or the window closed

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showPicture(int index);
    void showDetails();
    void hideDetails();

    std::unique_ptr<Ui::frmWitingToEnd> ui_;
    QTimer animation_;
    int picture_ = 0;   // 0 to 8: the pictures 104 to 112
    int groupPace_ = 0; // counts groups; at 25 the picture moves on
    QString details_;
};

} // namespace kolvane::runner
