// SPDX-License-Identifier: MIT
// The step rules of the converter: which window follows which, and the long
// work between them. The setup window's OK splits the source (or opens the
// fixed columns window), the fixed columns window's Proceed cuts it, the
// columns window's Finalizar builds the ADIS text; each opens the next step's
// window when its job succeeds. The windows only say that they are done.
#pragma once

#include "converter/ConverterContext.h"
#include "converter/StepHost.h"

#include <QObject>
#include <QPointer>
#include <memory>

namespace kolvane::converter {

class frmCodigos;
class frmFicheros;
class frmfixedColumnas;
class Principal;
class Resultado;

class Workflow final : public QObject {
    Q_OBJECT
public:
    Workflow(ConverterContext& context, StepHost& host);
    ~Workflow() override;

    // The two code selection windows of the run; the list is filled once.
    void loadCodeLists();
    // The ASCII file window on the session's source file (a new one).
    void showAsciiWindow();
    // The setup window, modal; its OK goes on with applySetup().
    void showSetup();
    // A DST was opened: its setup is confirmed as the setup window's OK does,
    // without the window, and the steps that follow run.
    void applyLoadedSetup();
    // What follows the setup window's OK: the fixed columns window or the split.
    void applySetup();
    // A step window became active.
    void stepActivated(int step);
    // Closes every step window (closing the import process).
    void closeStepWindows();
    // Save and Save as, by the active step window.
    void saveActive(bool saveAs);

    bool asciiWindowOpen() const;
    Resultado* resultWindow() const;

signals:
    // The result window's import and automatic import.
    void importRequested();
    void automaticImportRequested();

private:
    void showFixedColumns();
    void cutFixedColumns();
    void splitSource();
    void sourceSplit(const std::optional<SourceReadResult>& read);
    void showColumns();
    void buildAdisText();
    void showResult();
    void saveSourceCopy(bool saveAs);
    void tellFailure(const Status& status);
    template <typename Window> void close(QPointer<Window>& window);

    ConverterContext& context_;
    StepHost& host_;
    std::unique_ptr<frmCodigos> codeResults_;
    std::unique_ptr<frmCodigos> codeList_;
    QPointer<frmFicheros> ascii_;
    QPointer<frmfixedColumnas> fixed_;
    QPointer<Principal> columns_;
    QPointer<Resultado> result_;
};

} // namespace kolvane::converter
