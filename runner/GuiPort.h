// SPDX-License-Identifier: MIT
// The user port of the runner's windows: messages in message boxes, progress
// in the working window. The engine may call it from a helper thread: the call
// then runs on the window thread (messages wait for the answer).
#pragma once

#include "engine/StringTable.h"
#include "engine/UserPort.h"
#include "runner/Dialogs.h"
#include "runner/WorkingWindow.h"

#include <QObject>
#include <functional>

namespace kolvane {

class GuiPort final : public QObject, public UserPort {
    Q_OBJECT
public:
    // `caption` gives the working window's text for an engine caption number.
    GuiPort(const Language& language, Dialogs& dialogs, WorkingWindow& working,
            std::function<QString(int)> caption);

    MessageAnswer showMessage(int number, MessageIcon icon, MessageButtons buttons) override;
    MessageAnswer showText(std::string_view text, MessageIcon icon,
                           MessageButtons buttons) override;
    void startProgress(int captionNumber, std::int64_t maximum) override;
    void setProgress(std::int64_t value) override;
    void endProgress() override;

    // Shows a text on the window thread and waits for the answer.
    MessageAnswer ask(const QString& text, MessageIcon icon, MessageButtons buttons);

private:
    void onWindowThread(const std::function<void()>& work, bool wait);

    const Language& language_;
    Dialogs& dialogs_;
    WorkingWindow& working_;
    std::function<QString(int)> caption_;
    std::int64_t maximum_ = 0;
};

} // namespace kolvane
