// SPDX-License-Identifier: MIT
// A user port that keeps messages to show them later, in order, through another
// port: work done on a helper thread must not talk to the user directly.
// Progress goes straight through (it is only ever reported from one thread).
#pragma once

#include "engine/UserPort.h"

#include <string>
#include <utility>
#include <vector>

namespace kolvane {

class DeferredPort final : public UserPort {
public:
    struct Message {
        int number = 0; // 0 for a composed text
        std::string text;
        MessageIcon icon = MessageIcon::None;
        MessageButtons buttons = MessageButtons::Ok;
    };

    // Progress is forwarded to `progress`, when given.
    explicit DeferredPort(UserPort* progress = nullptr) : progress_(progress) {}

    // Kept messages are answered with their first button (OK or Yes).
    MessageAnswer showMessage(int number, MessageIcon icon, MessageButtons buttons) override {
        messages_.push_back({number, {}, icon, buttons});
        return firstAnswer(buttons);
    }
    MessageAnswer showText(std::string_view text, MessageIcon icon,
                           MessageButtons buttons) override {
        messages_.push_back({0, std::string(text), icon, buttons});
        return firstAnswer(buttons);
    }
    void startProgress(int captionNumber, std::int64_t maximum) override {
        if (progress_ != nullptr) {
            progress_->startProgress(captionNumber, maximum);
        }
    }
    void setProgress(std::int64_t value) override {
        if (progress_ != nullptr) {
            progress_->setProgress(value);
        }
    }
    void endProgress() override {
        if (progress_ != nullptr) {
            progress_->endProgress();
        }
    }

    std::vector<Message> take() { return std::exchange(messages_, {}); }

    // Shows the kept messages through `port`, in the order they came.
    static void Replay(const std::vector<Message>& messages, UserPort& port) {
        for (const Message& message : messages) {
            if (message.number != 0) {
                port.showMessage(message.number, message.icon, message.buttons);
            } else {
                port.showText(message.text, message.icon, message.buttons);
            }
        }
    }

private:
    static MessageAnswer firstAnswer(MessageButtons buttons) {
        return buttons == MessageButtons::YesNoCancel ? MessageAnswer::Yes : MessageAnswer::Ok;
    }

    UserPort* progress_;
    std::vector<Message> messages_;
};

} // namespace kolvane
