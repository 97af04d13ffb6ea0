// SPDX-License-Identifier: MIT
// The converter's main window: the document area with the step windows, the
// menus, the step toolbar and the tool toolbar, and the step dispatcher. It
// acts on nothing itself: each command is a signal that the workflow answers.
#pragma once

#include "converter/ConverterContext.h"
#include "converter/StepHost.h"

#include <QMainWindow>
#include <memory>

class QMdiArea;

namespace kolvane::toolbar {
class McToolBar;
}

namespace kolvane::converter {

namespace Ui {
class frmMain;
}

class frmMain final : public QMainWindow, public StepHost {
    Q_OBJECT
public:
    // The tool toolbar's context groups.
    enum class ToolGroup { Start, AdisFile, FixedColumns };

    explicit frmMain(ConverterContext& context, QWidget* parent = nullptr);
    ~frmMain() override;

    // StepHost
    void showStepWindow(QWidget& window, int step) override;
    void markStep(int step) override;
    QWidget* activeStepWindow() const override;
    QWidget& dialogParent() override { return *this; }

    // The open step window of `step`, if any.
    QWidget* stepWindow(int step) const { return findStepWindow(step); }
    // The step dispatcher: a step by its name ("ASCII", "Setup", ...).
    void Ir_A_Paso(const QString& stepName);
    void Marcar_Paso(int step) { markStep(step); }
    int markedStep() const;
    bool isStepEnabled(int step) const;
    void showToolGroup(ToolGroup group);
    // The File menu's files opened last.
    void setRecentFiles(const QStringList& paths);
    // Placement from the settings (twips), kept on a screen that exists.
    void restorePlacement();
    void savePlacement();

signals:
    void openAsciiRequested();
    void openDstRequested(bool oldLayout);
    void openPathRequested(const QString& path); // a recent or dropped file
    void saveRequested(bool saveAs);
    void setupRequested();
    void closeProcessRequested();
    void exitRequested(bool askFirst);
    void codeImportRequested();
    void removeAutomationRequested();
    void languageRequested();
    void helpTopicsRequested();
    // Steps 6, 7 and 8: the result window's import, automatic import and open.
    void resultActionRequested(int step);
    // A step window became the active one (its step number).
    void stepWindowActivated(int step);
    // Closed by its frame or by Exit: the program ends after this.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildStepToolbar();
    void connectMenus();
    void toolButtonClicked(int index);
    void stepButtonClicked(int index);
    void windowActivated(QWidget* window);
    void stepWindowClosed(int step);
    void bringToFront(int step);
    QWidget* findStepWindow(int step) const;

    ConverterContext& context_;
    std::unique_ptr<Ui::frmMain> ui_;
    toolbar::McToolBar* steps_ = nullptr; // McToolBarProgress
    toolbar::McToolBar* tools_ = nullptr; // MctbToolbar
    std::vector<int> toolActions_;        // what each tool button does, by index
};

} // namespace kolvane::converter
