// SPDX-License-Identifier: MIT
#include "runner/Dialogs.h"

#include <QFileDialog>

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

QString Dialogs::openFileName(QWidget* parent, const QString& title, const QString& pipeFilter) {
    const QString filter = QtFileFilter(pipeFilter);
    if (!fileNames_.isEmpty() || unattended) {
        fileDialogTitles << title;
        fileDialogFilters << filter;
        return fileNames_.isEmpty() ? QString() : fileNames_.dequeue();
    }
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

QMessageBox::StandardButton Dialogs::message(QWidget* parent, const QString& text,
                                             QMessageBox::Icon icon,
                                             QMessageBox::StandardButtons buttons) {
    messages << text;
    if (!answers_.isEmpty()) {
        return answers_.dequeue();
    }
    if (unattended) {
        for (const auto first : {QMessageBox::Ok, QMessageBox::Yes}) {
            if (buttons.testFlag(first)) {
                return first;
            }
        }
        return QMessageBox::NoButton;
    }
    QMessageBox box(icon, QStringLiteral("Brennick"), text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace kolvane
