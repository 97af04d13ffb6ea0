// SPDX-License-Identifier: MIT
// The file dialogs and message boxes of both programs' windows, behind one
// object that tests answer in advance (setNextFileName, setNextAnswer) instead
// of a user. File dialogs start in the folder of the file chosen last.
#pragma once

#include <QList>
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
    enum class FileDialogKind { Open, Save, Folder };
    // What a file dialog was asked for: its kind, title and (Qt) filter.
    struct FileRequest {
        FileDialogKind kind = FileDialogKind::Open;
        QString title;
        QString filter;
    };

    // Message boxes are titled with the program's name unless told otherwise.
    explicit Dialogs(QString programTitle) : programTitle_(std::move(programTitle)) {}

    const QString& programTitle() const { return programTitle_; }

    // The chosen file or folder, or "" when the user cancelled.
    QString openFileName(QWidget* parent, const QString& title, const QString& pipeFilter,
                         const QString& folder = {});
    QString saveFileName(QWidget* parent, const QString& title, const QString& pipeFilter,
                         const QString& suggestedPath = {});
    QString folderName(QWidget* parent, const QString& title, const QString& folder = {});

    QMessageBox::StandardButton message(QWidget* parent, const QString& text,
                                        QMessageBox::Icon icon,
                                        QMessageBox::StandardButtons buttons,
                                        const QString& title = {});

    // Answers for the next dialogs, in order; while any are queued no dialog shows.
    void setNextFileName(const QString& fileName) { fileNames_.enqueue(fileName); }
    void setNextAnswer(QMessageBox::StandardButton answer) { answers_.enqueue(answer); }
    // With nothing queued: every question takes its first button and every file
    // dialog gives "", instead of a window that nobody would answer.
    void setUnattended(bool unattended) { unattended_ = unattended; }

    // What was asked so far: the text of every message and every file dialog.
    const QStringList& shownMessages() const { return messages_; }
    const QList<FileRequest>& fileRequests() const { return fileRequests_; }

private:
    bool answeredInAdvance() const { return !fileNames_.isEmpty() || unattended_; }
    QString fileAnswer(FileDialogKind kind, const QString& title, const QString& filter);
    QString startFolder(const QString& given) const;
    QString remember(const QString& chosen);

    QString programTitle_;
    QString lastFolder_;
    QQueue<QString> fileNames_;
    QQueue<QMessageBox::StandardButton> answers_;
    bool unattended_ = false;
    QStringList messages_;
    QList<FileRequest> fileRequests_;
};

} // namespace kolvane
