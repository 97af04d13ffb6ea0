// SPDX-License-Identifier: MIT
#include "converter/Resultado.h"

#include "converter/ConverterContext.h"
#include "converter/FindingsPanel.h"
#include "converter/StepWindow.h"
#include "engine/Crea_Adis.h"
#include "engine/Messages.h"
#include "gui/LargeTextView.h"
#include "gui/QtText.h"
#include "storage/AtomicFile.h"
#include "ui_Resultado.h"

#include <QGuiApplication>

namespace kolvane::converter {
namespace {

// The window's least size: 3345 twips wide, 3540 high inside (15 twips a pixel).
constexpr QSize kLeastSize(3345 / 15, 3540 / 15);

// The text and one line end, streamed: a large text is not copied to add it.
Status writeAdisFile(const std::string& path, const std::string& text) {
    AtomicFileWriter file;
    Status status = file.open(path);
    if (status.ok()) {
        status = file.write(text);
    }
    if (status.ok()) {
        status = file.write("\r\n");
    }
    return status.ok() ? file.commit() : status;
}

// The line of the first value line: the option and header lines come first.
qsizetype firstValueLine(const std::string& text) {
    qsizetype line = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        if (text.compare(start, kValueLineStart.size(), kValueLineStart) == 0) {
            return line;
        }
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
        ++line;
    }
    return -1;
}

class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

Resultado::Resultado(ConverterContext& context, QWidget* parent)
    : QWidget(parent), context_(context), ui_(std::make_unique<Ui::Resultado>()) {
    ui_->setupUi(this);
    ui_->layout->setMenuBar(ui_->menuBar);
    setMinimumSize(kLeastSize);
    context_.localiser.localise(*this);
    connect(ui_->Guardar, &QAction::triggered, this, &Resultado::Guardar_ADIS);
    connect(ui_->Automatizar, &QAction::triggered, this, &Resultado::automaticImportRequested);
    connect(ui_->Introducirdata_MN, &QAction::triggered, this, &Resultado::importRequested);
    connect(ui_->Cerrar, &QAction::triggered, this, [this] { CloseStepWindow(*this); });
    findings_ = new FindingsPanel(context_.language, this);
    ui_->layout->addWidget(findings_, 1);
    ui_->layout->setStretchFactor(ui_->Text1, 3);
    connect(findings_, &FindingsPanel::rowRequested, this, &Resultado::showValueLine);
    connect(&context_.session, &ImportSession::adisTextChanged, this, &Resultado::showAdisText);
    showAdisText();
}

Resultado::~Resultado() = default;

// The session keeps the text for the whole run, longer than this window.
void Resultado::showAdisText() {
    const ImportSetup& setup = context_.session.setup();
    ui_->Text1->showText(setup.AdisText);
    findings_->showFindings(setup.AdisFindings, setup.SourceTable);
}

void Resultado::showValueLine(long row) {
    const qsizetype first = firstValueLine(context_.session.setup().AdisText);
    if (first >= 0) {
        ui_->Text1->setCurrentLine(first + row);
        ui_->Text1->setFocus();
    }
}

bool Resultado::Guardar_ADIS() {
    const Language& language = context_.language;
    const QString path = context_.dialogs.saveFileName(
        this, FromAnsi(language.LoadText(msg::SaveAdisFileCaption)),
        FromAnsi(language.LoadText(msg::AdisFileFilter)) + QStringLiteral("(*.ads)|*.ads"));
    if (path.isEmpty()) {
        return false;
    }
    Status written;
    {
        const WaitCursor waiting;
        written = writeAdisFile(ToPath(path), context_.session.setup().AdisText);
    }
    if (!written.ok()) {
        context_.dialogs.message(this, DescribeStatus(written, language), QMessageBox::Critical,
                                 QMessageBox::Ok);
    }
    return true;
}

} // namespace kolvane::converter
