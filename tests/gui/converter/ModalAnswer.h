// SPDX-License-Identifier: MIT
// Answers a modal window in a test: the window that opened it waits in its own
// event loop meanwhile, so the answer comes from a timer.
#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

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

// Answers a series of modal windows, one step per window that shows, in order
// (a window that shows again after its step counts as a new one). A window
// other than the one expected fails the test and is closed, as is every
// window after the last step, so that the code under test never waits.
class ModalScript {
public:
    using Answer = std::function<void(QWidget&)>;
    explicit ModalScript(std::vector<std::pair<const char*, Answer>> steps)
        : steps_(std::move(steps)) {
        QObject::connect(&poll_, &QTimer::timeout, [this] { answerNext(); });
        poll_.start(0);
    }
    ~ModalScript() {
        EXPECT_EQ(next_, steps_.size())
            << "stopped before " << (next_ < steps_.size() ? steps_[next_].first : "");
    }
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    // The windows answered so far, by name.
    const QStringList& answered() const { return answered_; }

private:
    void answerNext() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal->property(kAnswered).toBool()) {
            return;
        }
        modal->setProperty(kAnswered, true);
        answered_ << modal->objectName();
        if (next_ >= steps_.size() || modal->objectName() != QLatin1String(steps_[next_].first)) {
            ADD_FAILURE() << "unexpected window " << modal->objectName().toStdString();
            modal->close();
            return;
        }
        steps_[next_++].second(*modal);
    }

    static constexpr const char* kAnswered = "answeredByScript";
    std::vector<std::pair<const char*, Answer>> steps_;
    std::size_t next_ = 0;
    QStringList answered_;
    QTimer poll_;
};

} // namespace kolvane::converter::testing
