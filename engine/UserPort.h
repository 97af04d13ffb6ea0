// SPDX-License-Identifier: MIT
// The one way the engine talks to the user: messages by string number and the
// progress of the working window. The windows show message boxes, the command
// line prints to standard error, tests record the calls.
#pragma once

#include <cstdint>
#include <string_view>

namespace kolvane {

enum class MessageIcon { None, Information, Warning, Critical, Question };
enum class MessageButtons { Ok, OkCancel, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class UserPort {
public:
    virtual ~UserPort() = default;

    // Shows message `number` of the current language block (see Language::LoadText).
    virtual MessageAnswer showMessage(int number, MessageIcon icon, MessageButtons buttons) = 0;
    // Shows a text composed by the caller (bytes in the ANSI code page).
    virtual MessageAnswer showText(std::string_view text, MessageIcon icon,
                                   MessageButtons buttons) = 0;

    // The working window: caption by message number, a bar from 0 to `maximum`.
    virtual void startProgress(int captionNumber, std::int64_t maximum) = 0;
    virtual void setProgress(std::int64_t value) = 0;
    virtual void endProgress() = 0;
};

// A port for unattended use: every question is answered with its first button
// (OK or Yes) and progress is ignored.
class SilentPort final : public UserPort {
public:
    MessageAnswer showMessage(int, MessageIcon, MessageButtons buttons) override {
        return firstAnswer(buttons);
    }
    MessageAnswer showText(std::string_view, MessageIcon, MessageButtons buttons) override {
        return firstAnswer(buttons);
    }
    void startProgress(int, std::int64_t) override {}
    void setProgress(std::int64_t) override {}
    void endProgress() override {}

private:
    static MessageAnswer firstAnswer(MessageButtons buttons) {
        return buttons == MessageButtons::YesNoCancel ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
};

} // namespace kolvane
