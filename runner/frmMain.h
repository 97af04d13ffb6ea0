// SPDX-License-Identifier: MIT
// The runner's main window: its status line and the Start button; a setup
// file dropped onto it is run.
#pragma once

#include <QWidget>
#include <memory>

namespace kolvane {
class FormLocaliser;
}

namespace kolvane::runner {

namespace Ui {
class frmMain;
}

class frmMain final : public QWidget {
    Q_OBJECT
public:
    explicit frmMain(const FormLocaliser& localiser, QWidget* parent = nullptr);
    ~frmMain() override;

    void setStatus(const QString& text);
    QString status() const;
    // Start waits while a run holds the import setup.
    void setStartEnabled(bool enabled);

signals:
    void startRequested();
    // A file was dropped onto the window (its path): run it.
    void setupDropped(const QString& path);
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    std::unique_ptr<Ui::frmMain> ui_;
};

} // namespace kolvane::runner
