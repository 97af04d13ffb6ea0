// SPDX-License-Identifier: MIT
// The file dialog and the message box of the runner's windows, behind one small
// class that tests answer in advance (setNextFileName, setNextAnswer) instead
// of a user.
#pragma once

#include <QMessageBox>
#include <QQueue>
#include <QString>
#include <QStringList>

namespace kolvane {

// "Text files (*.txt)|*.txt|All|*.*" as the file dialog's filter
// "Text files (*.txt);;All (*.*)".
QString QtFileFilter(const QString& pipeSeparated);

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The chosen file, or "" when the user cancelled.
    QString openFileName(QWidget* parent, const QString& title, const QString& pipeFilter);
    QMessageBox::StandardButton message(QWidget* parent, const QString& text,
                                        QMessageBox::Icon icon,
                                        QMessageBox::StandardButtons buttons);

    // Answers for the next dialogs, in order; while any are queued no dialog shows.
    void setNextFileName(const QString& fileName) { fileNames_.enqueue(fileName); }
    void setNextAnswer(QMessageBox::StandardButton answer) { answers_.enqueue(answer); }
    // Dialogs answered from the queues, and the texts of every message shown.
    QStringList fileDialogTitles;
    QStringList fileDialogFilters;
    QStringList messages;
    // With nothing queued: true answers every question with its first button and
    // every file dialog with "" instead of showing a window (for tests).
    bool unattended = false;

private:
    QQueue<QString> fileNames_;
    QQueue<QMessageBox::StandardButton> answers_;
};

} // namespace kolvane
