// SPDX-License-Identifier: MIT
// A user port for tests: records every message and progress call and answers
// questions from a queue (OK / Yes when the queue is empty).
#pragma once

#include "engine/UserPort.h"

#include <deque>
#include <string>
#include <vector>

namespace kolvane::testing {

class RecordingPort final : public UserPort {
public:
    MessageAnswer showMessage(int number, MessageIcon icon, MessageButtons buttons) override {
        messages.push_back(number);
        icons.push_back(icon);
        return answer(buttons);
    }
    MessageAnswer showText(std::string_view text, MessageIcon, MessageButtons buttons) override {
        texts.emplace_back(text);
        return answer(buttons);
    }
    void startProgress(int captionNumber, std::int64_t maximum) override {
        progressCaptions.push_back(captionNumber);
        progressMaximum = maximum;
        progressOpen = true;
    }
    void setProgress(std::int64_t value) override { progressValues.push_back(value); }
    void endProgress() override { progressOpen = false; }

    void answerNext(MessageAnswer next) { answers.push_back(next); }

    std::vector<int> messages;
    std::vector<MessageIcon> icons;
    std::vector<std::string> texts;
    std::vector<int> progressCaptions;
    std::vector<std::int64_t> progressValues;
    std::int64_t progressMaximum = 0;
    bool progressOpen = false;

private:
    MessageAnswer answer(MessageButtons buttons) {
        if (!answers.empty()) {
            const MessageAnswer next = answers.front();
            answers.pop_front();
            return next;
        }
        return buttons == MessageButtons::YesNoCancel ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
    std::deque<MessageAnswer> answers;
};

} // namespace kolvane::testing
