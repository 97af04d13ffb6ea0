// SPDX-License-Identifier: MIT
// The user port of the windows: messages in message boxes, progress in a
// progress window. The engine may call it from a helper thread: the call then
// runs on the window thread, and a question waits for its answer. A question
// never outlives its window: once questions are released (the window closes,
// the job is cancelled) every waiting and every further question is answered
// with Cancel at once, so no helper thread stays blocked and nothing that waits
// for one deadlocks.
#pragma once

#include "engine/StringTable.h"
#include "engine/UserPort.h"
#include "gui/Dialogs.h"
#include "gui/ProgressWindow.h"

#include <QObject>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace kolvane {

class GuiPort final : public QObject, public UserPort {
    Q_OBJECT
public:
    // The progress window's caption for an engine caption number; by default
    // the text of that number in the current language.
    using CaptionText = std::function<QString(int captionNumber)>;

    GuiPort(const Language& language, Dialogs& dialogs, ProgressWindow& progress,
            CaptionText caption = {});
    ~GuiPort() override;

    MessageAnswer showMessage(int number, MessageIcon icon, MessageButtons buttons) override;
    MessageAnswer showText(std::string_view text, MessageIcon icon,
                           MessageButtons buttons) override;
    void startProgress(int captionNumber, std::int64_t maximum) override;
    void setProgress(std::int64_t value) override;
    void endProgress() override;

    // Message `number` is shown as message `shown` instead (a program whose
    // windows differ names its own). Set before any job runs.
    void showInstead(int number, int shown) { instead_[number] = shown; }

    // Shows a text on the window thread and waits for the answer.
    MessageAnswer ask(const QString& text, MessageIcon icon, MessageButtons buttons);

    // Answers every waiting and further question from a helper thread with
    // Cancel, until acceptQuestions().
    void releaseQuestions();
    void acceptQuestions();
    // Questions from helper threads that wait for an answer now.
    int waitingQuestions() const;

private:
    struct Question;
    MessageAnswer askFromHelperThread(const QString& text, MessageIcon icon,
                                      MessageButtons buttons);
    MessageAnswer showOnWindowThread(const QString& text, MessageIcon icon, MessageButtons buttons);
    void answer(Question& question, MessageAnswer answer);
    void onWindowThread(std::function<void()> work);

    const Language& language_;
    Dialogs& dialogs_;
    ProgressWindow& progress_;
    CaptionText caption_;
    std::int64_t maximum_ = 1; // window thread only
    std::map<int, int> instead_;

    mutable std::mutex mutex_;
    std::condition_variable answered_;
    std::vector<std::shared_ptr<Question>> waiting_;
    bool released_ = false;
};

} // namespace kolvane
