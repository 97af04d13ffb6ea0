// SPDX-License-Identifier: MIT
#include "converter/ImportProcess.h"

#include "converter/Workflow.h"
#include "gui/QtText.h"

namespace kolvane::converter {
namespace {

bool userSaysYes(ConverterContext& context, StepHost& host, int question) {
    return context.dialogs.message(
               &host.dialogParent(), FromAnsi(context.language.LoadText(question)),
               QMessageBox::Question,
               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) == QMessageBox::Yes;
}

} // namespace

bool Cerrar_Proceso(ConverterContext& context, Workflow& workflow, StepHost& host) {
    // While a job holds the setup its working window offers Cancel instead.
    if (context.session.busy() || !userSaysYes(context, host, msg::AskCloseImportProcess)) {
        return false;
    }
    workflow.closeStepWindows();
    context.session.reset();
    host.markStep(0);
    return true;
}

bool ExitConfirmed(ConverterContext& context, const Workflow& workflow, StepHost& host) {
    return !workflow.asciiWindowOpen() || userSaysYes(context, host, msg::AskExitApplication);
}

} // namespace kolvane::converter
