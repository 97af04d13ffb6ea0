// SPDX-License-Identifier: MIT
#include "converter/FileOpening.h"

#include "converter/Workflow.h"
#include "converter/frmAbrirDST.h"
#include "gui/QtText.h"

#include <QFileInfo>

namespace kolvane::converter {
namespace {

bool endsWithDst(const std::string& path, bool exactCase) {
    if (path.size() < 3) {
        return false;
    }
    const QString ending = QString::fromStdString(path.substr(path.size() - 3));
    return exactCase ? ending == QLatin1String("dst")
                     : ending.compare(QLatin1String("dst"), Qt::CaseInsensitive) == 0;
}

} // namespace

void FileOpening::mnuFileOpen_Click() {
    context_.session.changeSettings([](ImportSetup& setup) { setup.FixedColumnsFromDst = false; });
    const QString title = FromAnsi(context_.language.LoadText(msg::OpenAction));
    const QString filter = FromAnsi(context_.language.LoadText(msg::AllFilesFilter)) +
                           QStringLiteral(" (*.*)|*.*| Text File (*.txt)|*.txt| ADIS (*.ads)| "
                                          "*.ads | (*.adf)|*.adf");
    const QString chosen = context_.dialogs.openFileName(&host_.dialogParent(), title, filter);
    if (!chosen.isEmpty()) {
        openAscii(ToPath(chosen));
    }
}

void FileOpening::openAscii(const std::string& path) {
    if (!context_.session.changeSettings([&path](ImportSetup& setup) {
            setup.ColumnsFromDst = false;
            setup.SourceFilePath = path;
            setup.FixedColumnStarts = {0};
        })) {
        return; // a job holds the setup
    }
    recent_.opened(path);
    workflow_.showAsciiWindow();
}

std::string FileOpening::chooseDst() {
    frmAbrirDST choice(context_, &host_.dialogParent());
    choice.exec();
    return choice.chosenDst();
}

void FileOpening::mnuOpenDST_Click(bool oldLayout) {
    std::string path = context_.session.setup().DstFilePath;
    if (path.empty() || oldLayout) {
        path = chooseDst();
    }
    if (!path.empty()) {
        openDst(path, oldLayout);
    }
}

void FileOpening::openDst(const std::string& path, bool oldLayout) {
    if (context_.session.busy()) {
        return;
    }
    const Status opened =
        context_.session.openDst(path, {.reader = DstReader::Converter, .oldLayout = oldLayout});
    if (!opened.ok()) {
        // A missing file was told already (message 159); the rest is said here,
        // naming the file and the line: nothing of the DST was used.
        if (opened.code() != ErrorCode::FileNotFound) {
            context_.dialogs.message(&host_.dialogParent(),
                                     DescribeStatus(opened, context_.language),
                                     QMessageBox::Warning, QMessageBox::Ok);
        }
        return;
    }
    recent_.opened(path);
    if (!settleSourceFile()) {
        return;
    }
    workflow_.showAsciiWindow();
    workflow_.applyLoadedSetup();
}

// A DST that names no source file ("@") asks for one.
bool FileOpening::settleSourceFile() {
    if (context_.session.setup().SourceFilePath != "@") {
        return true;
    }
    context_.dialogs.message(&host_.dialogParent(),
                             FromAnsi(context_.language.LoadText(msg::AutomaticSourceNotDefined)),
                             QMessageBox::Information, QMessageBox::Ok);
    const QString chosen = context_.dialogs.openFileName(
        &host_.dialogParent(), FromAnsi(context_.language.LoadText(msg::OpenAction)),
        FromAnsi(context_.language.LoadText(msg::AllFilesFilter)) + QStringLiteral(" (*.*)|*.*"));
    if (chosen.isEmpty()) {
        return false;
    }
    context_.session.setSourceFile(ToPath(chosen));
    return true;
}

void FileOpening::openPath(const std::string& path) {
    if (endsWithDst(path, false)) {
        openDst(path, false);
    } else {
        openAscii(path);
    }
}

void FileOpening::openFromCommandLine(const std::string& argument) {
    if (endsWithDst(argument, true)) {
        openDst(argument, false);
    } else {
        context_.session.setSourceFile({});
    }
}

} // namespace kolvane::converter
