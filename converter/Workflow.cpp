// SPDX-License-Identifier: MIT
#include "converter/Workflow.h"

#include "converter/Principal.h"
#include "converter/Resultado.h"
#include "converter/StepWindow.h"
#include "converter/frmCodigos.h"
#include "converter/frmFicheros.h"
#include "converter/frmOptions.h"
#include "converter/frmfixedColumnas.h"
#include "gui/QtText.h"
#include "storage/AtomicFile.h"

namespace kolvane::converter {

Workflow::Workflow(ConverterContext& context, StepHost& host) : context_(context), host_(host) {}

Workflow::~Workflow() = default;

bool Workflow::asciiWindowOpen() const {
    return ascii_ != nullptr;
}

Resultado* Workflow::resultWindow() const {
    return result_;
}

void Workflow::loadCodeLists() {
    codeResults_ = std::make_unique<frmCodigos>(context_, frmCodigos::Kind::SearchResults,
                                                &host_.dialogParent());
    codeList_ =
        std::make_unique<frmCodigos>(context_, frmCodigos::Kind::CodeList, &host_.dialogParent());
    codeList_->setSearchResults(*codeResults_);
    codeList_->fillGrid();
}

template <typename Window> void Workflow::close(QPointer<Window>& window) {
    if (window != nullptr) {
        CloseStepWindow(*window);
        delete window.data(); // at once: the next window must not meet the old one
    }
}

void Workflow::showAsciiWindow() {
    close(ascii_);
    ascii_ = new frmFicheros(context_);
    connect(ascii_, &frmFicheros::convertRequested, this, &Workflow::showSetup);
    host_.showStepWindow(*ascii_, step::Ascii);
}

void Workflow::showSetup() {
    if (context_.session.busy()) {
        return;
    }
    frmOptions setup(context_, &host_.dialogParent());
    if (setup.exec() == QDialog::Accepted) {
        applySetup();
    }
}

void Workflow::applyLoadedSetup() {
    if (frmOptions::confirmLoadedSetup(context_, &host_.dialogParent())) {
        applySetup();
    }
}

void Workflow::applySetup() {
    // The old columns and result no longer fit the new setup.
    close(fixed_);
    close(result_);
    const ImportSetup& setup = context_.session.setup();
    if (!setup.usesFixedColumns()) {
        splitSource();
    } else if (setup.FixedColumnsFromDst) {
        context_.session.changeSettings(
            [](ImportSetup& changed) { changed.FixedColumnsFromDst = false; });
        cutFixedColumns();
    } else {
        showFixedColumns();
    }
}

void Workflow::showFixedColumns() {
    fixed_ = new frmfixedColumnas(context_);
    connect(fixed_, &frmfixedColumnas::proceedRequested, this, &Workflow::cutFixedColumns);
    host_.showStepWindow(*fixed_, step::FixedColumns);
    fixed_->showNoteIfWanted();
}

void Workflow::cutFixedColumns() {
    close(columns_);
    splitSource(); // the session cuts fixed columns where the setup says so
}

void Workflow::splitSource() {
    context_.session.splitSource(
        [this](std::optional<SourceReadResult> read) { sourceSplit(read); });
}

void Workflow::sourceSplit(const std::optional<SourceReadResult>& read) {
    if (!read) {
        return; // cancelled: the setup and the tables are as they were
    }
    switch (read->outcome) {
    case SourceReadResult::Outcome::Completed:
        showColumns();
        break;
    case SourceReadResult::Outcome::NoLines:
    case SourceReadResult::Outcome::ColumnCountMismatch:
        break; // the splitter has told the user
    case SourceReadResult::Outcome::Failed:
        tellFailure(read->status);
        break;
    }
}

void Workflow::showColumns() {
    close(columns_);
    columns_ = new Principal(context_, *codeList_);
    connect(columns_, &Principal::finished, this, &Workflow::buildAdisText);
    host_.showStepWindow(*columns_, step::CodesAndColumns);
}

void Workflow::buildAdisText() {
    context_.session.buildAdisText(
        [this](std::optional<Status> built) {
            if (!built) {
                return;
            }
            if (built->ok()) {
                showResult();
            } else if (!context_.session.setup().DateConversionFailed) {
                tellFailure(*built); // a date that cannot be converted was told already
            }
        },
        context_.codeDictionaryPath);
}

void Workflow::showResult() {
    close(result_);
    result_ = new Resultado(context_);
    connect(result_, &Resultado::importRequested, this, &Workflow::importRequested);
    connect(result_, &Resultado::automaticImportRequested, this,
            &Workflow::automaticImportRequested);
    host_.showStepWindow(*result_, step::AdisFile);
}

void Workflow::stepActivated(int stepNumber) {
    if (stepNumber == step::FixedColumns && fixed_ != nullptr) {
        fixed_->showNoteIfWanted();
    }
}

void Workflow::closeStepWindows() {
    close(result_);
    close(columns_);
    close(fixed_);
    close(ascii_);
}

void Workflow::saveActive(bool saveAs) {
    QWidget* active = host_.activeStepWindow();
    if (active != nullptr && active == result_) {
        result_->Guardar_ADIS();
    } else if (active != nullptr && active == ascii_) {
        saveSourceCopy(saveAs);
    }
}

// The ASCII file window's Save: the file it shows, under another name.
void Workflow::saveSourceCopy(bool saveAs) {
    const QString title =
        FromAnsi(context_.language.LoadText(saveAs ? msg::SaveAsCaption : msg::MenuSave));
    const QString filter =
        FromAnsi(context_.language.LoadText(msg::AllFilesFilter)) + QStringLiteral(" (*.*)|*.*");
    const QString chosen = context_.dialogs.saveFileName(&host_.dialogParent(), title, filter);
    if (chosen.isEmpty()) {
        return;
    }
    std::string text;
    Status copied = ReadWholeFile(context_.session.setup().SourceFilePath, text, SIZE_MAX);
    if (copied.ok()) {
        copied = WriteFileAtomically(ToPath(chosen), text);
    }
    if (!copied.ok()) {
        tellFailure(copied);
    }
}

void Workflow::tellFailure(const Status& status) {
    if (status.code() == ErrorCode::Cancelled) {
        return;
    }
    context_.dialogs.message(&host_.dialogParent(), DescribeStatus(status, context_.language),
                             QMessageBox::Warning, QMessageBox::Ok);
}

} // namespace kolvane::converter
