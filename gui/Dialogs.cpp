// SPDX-License-Identifier: MIT
#include "gui/Dialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace kolvane {

QString QtFileFilter(const QString& pipeSeparated) {
    const QStringList parts = pipeSeparated.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString text = parts[i].trimmed();
        const QString patterns = parts[i + 1].trimmed().replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString suffix = QLatin1String("(") + patterns + QLatin1String(")");
        filters << (text.endsWith(suffix) ? text : text + QLatin1Char(' ') + suffix);
    }
    return filters.join(QLatin1String(";;"));
}

QString Dialogs::fileAnswer(FileDialogKind kind, const QString& title, const QString& filter) {
    fileRequests_.append({kind, title, filter});
    return fileNames_.isEmpty() ? QString() : fileNames_.dequeue();
}

QString Dialogs::startFolder(const QString& given) const {
    return given.isEmpty() ? lastFolder_ : given;
}

QString Dialogs::remember(const QString& chosen) {
    if (!chosen.isEmpty()) {
        const QFileInfo info(chosen);
        lastFolder_ = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
    }
    return chosen;
}

QString Dialogs::openFileName(QWidget* parent, const QString& title, const QString& pipeFilter,
                              const QString& folder) {
    const QString filter = QtFileFilter(pipeFilter);
    if (answeredInAdvance()) {
        return fileAnswer(FileDialogKind::Open, title, filter);
    }
    return remember(QFileDialog::getOpenFileName(parent, title, startFolder(folder), filter));
}

QString Dialogs::saveFileName(QWidget* parent, const QString& title, const QString& pipeFilter,
                              const QString& suggestedPath) {
    const QString filter = QtFileFilter(pipeFilter);
    if (answeredInAdvance()) {
        return fileAnswer(FileDialogKind::Save, title, filter);
    }
    // A bare file name is suggested in the folder used last.
    QString start = suggestedPath;
    if (!lastFolder_.isEmpty() && (start.isEmpty() || QFileInfo(start).isRelative())) {
        start = lastFolder_ + (start.isEmpty() ? QString() : QLatin1Char('/') + start);
    }
    return remember(QFileDialog::getSaveFileName(parent, title, start, filter));
}

QString Dialogs::folderName(QWidget* parent, const QString& title, const QString& folder) {
    if (answeredInAdvance()) {
        return fileAnswer(FileDialogKind::Folder, title, {});
    }
    return remember(QFileDialog::getExistingDirectory(parent, title, startFolder(folder)));
}

QMessageBox::StandardButton Dialogs::message(QWidget* parent, const QString& text,
                                             QMessageBox::Icon icon,
                                             QMessageBox::StandardButtons buttons,
                                             const QString& title) {
    messages_ << text;
    if (!answers_.isEmpty()) {
        return answers_.dequeue();
    }
    if (unattended_) {
        for (const auto first : {QMessageBox::Ok, QMessageBox::Yes}) {
            if (buttons.testFlag(first)) {
                return first;
            }
        }
        return QMessageBox::NoButton;
    }
    QMessageBox box(icon, title.isEmpty() ? programTitle_ : title, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace kolvane
