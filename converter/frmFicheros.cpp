// SPDX-License-Identifier: MIT
#include "converter/frmFicheros.h"

#include "converter/ConverterContext.h"
#include "converter/StepWindow.h"
#include "gui/LargeTextView.h"
#include "gui/QtText.h"
#include "herdlink/AutomaticRun.h"
#include "ui_frmFicheros.h"

namespace kolvane::converter {

frmFicheros::frmFicheros(ConverterContext& context, QWidget* parent)
    : QWidget(parent), context_(context), ui_(std::make_unique<Ui::frmFicheros>()) {
    ui_->setupUi(this);
    ui_->layout->setMenuBar(ui_->menuBar);
    context_.localiser.localise(*this);
    connect(ui_->Convertir, &QAction::triggered, this, &frmFicheros::convertRequested);
    connect(ui_->Cerrar, &QAction::triggered, this, [this] { CloseStepWindow(*this); });
    connect(ui_->rtfText, &LargeTextView::readFailed, this, [this](const Status& status) {
        context_.dialogs.message(this, DescribeStatus(status, context_.language),
                                 QMessageBox::Warning, QMessageBox::Ok);
    });
    connect(&context_.session, &ImportSession::setupChanged, this,
            &frmFicheros::sourceMayHaveChanged);
    showSourceFile();
}

frmFicheros::~frmFicheros() = default;

QString frmFicheros::problem() const {
    return ui_->rtfText->notice();
}

// A new source file is shown; a closed import process (no file, or a setup
// that names none yet) leaves the window as it is until the workflow closes it.
void frmFicheros::sourceMayHaveChanged() {
    const std::string& path = context_.session.setup().SourceFilePath;
    if (!path.empty() && path != kAskForSource && path != shownFile_) {
        showSourceFile();
    }
}

void frmFicheros::showSourceFile() {
    shownFile_ = context_.session.setup().SourceFilePath;
    setWindowTitle(FromPath(shownFile_));
    const Status opened = ui_->rtfText->openFile(shownFile_);
    if (!opened.ok()) {
        ui_->rtfText->setNotice(DescribeStatus(opened, context_.language));
    }
    // Nothing to convert from a file that cannot be read.
    ui_->Convertir->setEnabled(opened.ok());
}

} // namespace kolvane::converter
