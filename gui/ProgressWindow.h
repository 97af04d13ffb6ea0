// SPDX-License-Identifier: MIT
// What the working window and the progress window share: a caption over a
// progress bar, shown while a long operation runs and hidden at its end.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

namespace kolvane {

class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    // Shows the window with `caption` and an empty bar.
    void begin(const QString& caption);
    // The share done, from 0 to 1000.
    void setPermille(int permille);
    // Hides the window; a window that goes on showing other things hides its bar.
    virtual void finish();

    QString caption() const;
    int permille() const;

protected:
    explicit ProgressWindow(QWidget* parent) : QDialog(parent) {}
    // The derived window's caption label and bar, once its form is set up.
    void attach(QLabel& caption, QProgressBar& bar);

private:
    QLabel* caption_ = nullptr;
    QProgressBar* bar_ = nullptr;
};

} // namespace kolvane
