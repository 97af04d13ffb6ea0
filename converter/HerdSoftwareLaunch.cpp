// SPDX-License-Identifier: MIT
#include "converter/HerdSoftwareLaunch.h"

#include "gui/QtText.h"
#include "herdlink/Importer.h"
#include "storage/AtomicFile.h"

namespace kolvane::converter {
namespace {

void tell(ConverterContext& context, QWidget& parent, const QString& text) {
    context.dialogs.message(&parent, text, QMessageBox::Warning, QMessageBox::Ok);
}

// The text the window shows, followed by one line end, replacing the file
// whole or not at all, so the importer always reads what the window shows.
bool writeAdisFile(ConverterContext& context, QWidget& parent, ImporterCommand command) {
    const std::string path = ImporterAdisFile(command, context.programFolder);
    AtomicFileWriter file;
    Status written = file.open(path);
    if (written.ok()) {
        written = file.write(context.session.setup().AdisText);
    }
    if (written.ok()) {
        written = file.write("\r\n");
    }
    if (written.ok()) {
        written = file.commit();
    }
    if (!written.ok()) {
        tell(context, parent, DescribeStatus(written, context.language));
    }
    return written.ok();
}

// The importer the user points at, when the installed one is missing.
bool startLocated(ConverterContext& context, QWidget& parent, ImporterCommand command) {
    const QString program = context.dialogs.openFileName(
        &parent, FromAnsi(context.language.LoadText(msg::SearchHxDataExchange)),
        FromAnsi(context.language.LoadText(msg::HxDataExchangeFilter)) +
            QStringLiteral(" (*.exe)| *.exe"));
    if (program.isEmpty()) {
        return false;
    }
    const ImporterRun run = StartImporter(
        command, LocatedImporterCommandLine(command, ToPath(program), context.programFolder));
    if (run.outcome != ImporterRun::Outcome::Ran) {
        tell(context, parent, DescribeStatus(run.status, context.language));
    }
    return run.outcome == ImporterRun::Outcome::Ran;
}

// Wrong values would reach the herd database: the user decides, knowing how many.
bool importDespiteWrongValues(ConverterContext& context, QWidget& parent) {
    const std::size_t wrong = context.session.setup().AdisFindings.errors();
    if (wrong == 0) {
        return true;
    }
    return context.dialogs.message(
               &parent,
               FromAnsi(context.language.CountText(msg::ImportWithOneWrongValue,
                                                   msg::ImportWithWrongValues, wrong)),
               QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No,
               QStringLiteral("Kolvane")) == QMessageBox::Yes;
}

bool launch(ConverterContext& context, QWidget& parent, ImporterCommand command) {
    if (context.session.setup().AdisText.empty() || !importDespiteWrongValues(context, parent) ||
        !writeAdisFile(context, parent, command)) {
        return false;
    }
    const std::string installFolder = context.settings.herdInstallFolder();
    if (installFolder.empty()) {
        tell(context, parent, FromAnsi(context.language.LoadText(msg::HerdSoftwareNotInstalled)));
        return false;
    }
    const ImporterRun run =
        StartImporter(command, ImporterCommandLine(command, installFolder, context.programFolder));
    if (run.outcome == ImporterRun::Outcome::ProgramMissing) {
        return startLocated(context, parent, command);
    }
    if (run.outcome != ImporterRun::Outcome::Ran) {
        tell(context, parent, DescribeStatus(run.status, context.language));
    }
    return run.outcome == ImporterRun::Outcome::Ran;
}

} // namespace

bool IntroducirHXDATA_Click(ConverterContext& context, QWidget& parent) {
    return launch(context, parent, ImporterCommand::ConverterImport);
}

bool HXDataExchange_Open(ConverterContext& context, QWidget& parent) {
    return launch(context, parent, ImporterCommand::ConverterOpen);
}

} // namespace kolvane::converter
