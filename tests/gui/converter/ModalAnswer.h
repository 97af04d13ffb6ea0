// SPDX-License-Identifier: MIT
// Answers a modal window in a test: the window that opened it waits in its own
// event loop meanwhile, so the answer comes from a timer.
#pragma once

#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

namespace kolvane::converter::testing {

// Answers the modal window of that name once it shows (the window that opened
// it waits in its own event loop meanwhile); a window that never showed fails
// the test.
class ModalAnswer {
public:
    template <typename Answer> ModalAnswer(const char* name, Answer answer) : name_(name) {
        QObject::connect(&poll_, &QTimer::timeout, [this, answer] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal != nullptr && modal->objectName() == QLatin1String(name_)) {
                poll_.stop();
                answered_ = true;
                answer(*modal);
            }
        });
        poll_.start(0);
    }
    ~ModalAnswer() { EXPECT_TRUE(answered_) << name_ << " never showed"; }
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

private:
    const char* name_;
    QTimer poll_;
    bool answered_ = false;
};

} // namespace kolvane::converter::testing
