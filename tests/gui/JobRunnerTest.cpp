// SPDX-License-Identifier: MIT
// The job helper and the user port of the windows: a job's result comes back
// on the window thread, Cancel delivers nothing, and a window that goes away
// while its job waits for an answer neither deadlocks nor leaves it blocked.
#include "gui/JobRunner.h"

#include "gui/FormLocaliser.h"
#include "gui/Trabajando.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>
#include <thread>

namespace kolvane {
namespace {

class JobRunnerTest : public ::testing::Test {
protected:
    bool waitFor(const std::function<bool()>& condition) {
        return QTest::qWaitFor(condition, 30000);
    }

    Language language{"EN"};
    Dialogs dialogs{QStringLiteral("Kolvane")};
    FormLocaliser localiser{[](int) { return std::nullopt; }};
    Trabajando working{localiser};
    GuiPort port{language, dialogs, working};
    std::unique_ptr<JobRunner> jobs = std::make_unique<JobRunner>(port);
};

TEST_F(JobRunnerTest, TheResultComesBackOnTheWindowThreadOnce) {
    QSignalSpy busy(jobs.get(), &JobRunner::busyChanged);
    std::optional<int> delivered;
    int calls = 0;
    QThread* deliveredOn = nullptr;
    QThread* workedOn = nullptr;
    ASSERT_TRUE(jobs->start(
        [&](JobControl&) {
            workedOn = QThread::currentThread();
            return 42;
        },
        [&](std::optional<int> result) {
            delivered = result;
            deliveredOn = QThread::currentThread();
            ++calls;
        }));
    EXPECT_TRUE(jobs->busy());
    EXPECT_FALSE(jobs->start([](JobControl&) { return 0; }, [](std::optional<int>) {}))
        << "one job at a time";
    ASSERT_TRUE(waitFor([&] { return calls > 0; }));
    EXPECT_EQ(delivered, 42);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(deliveredOn, QThread::currentThread());
    EXPECT_NE(workedOn, QThread::currentThread());
    EXPECT_FALSE(jobs->busy());
    ASSERT_EQ(busy.count(), 2);
    EXPECT_TRUE(busy[0][0].toBool());
    EXPECT_FALSE(busy[1][0].toBool());
}

TEST_F(JobRunnerTest, ACancelledJobStopsAndDeliversNothing) {
    std::atomic<bool> running{false};
    bool called = false;
    std::optional<int> delivered = 1;
    jobs->start(
        [&](JobControl& control) {
            running = true;
            while (!control.stopRequested()) {
                std::this_thread::yield();
            }
            return 7;
        },
        [&](std::optional<int> result) {
            called = true;
            delivered = result;
        });
    ASSERT_TRUE(waitFor([&] { return running.load(); }));
    jobs->cancel();
    ASSERT_TRUE(waitFor([&] { return called; }));
    EXPECT_EQ(delivered, std::nullopt);
    // The next job runs normally, and may start from the callback of the last.
    bool second = false;
    jobs->start([](JobControl&) { return 1; },
                [&](std::optional<int> result) { second = result.has_value(); });
    ASSERT_TRUE(waitFor([&] { return second; }));
}

TEST_F(JobRunnerTest, AQuestionFromTheJobIsAnsweredOnTheWindowThread) {
    dialogs.setNextAnswer(QMessageBox::No);
    std::optional<MessageAnswer> answer;
    jobs->start(
        [&](JobControl&) {
            return port.showText("Go on?", MessageIcon::Question, MessageButtons::YesNoCancel);
        },
        [&](std::optional<MessageAnswer> result) { answer = result; });
    ASSERT_TRUE(waitFor([&] { return answer.has_value(); }));
    EXPECT_EQ(*answer, MessageAnswer::No);
    EXPECT_EQ(dialogs.shownMessages(), QStringList{QStringLiteral("Go on?")});
}

// The window thread goes away (destroys the runner) while the job waits for
// an answer that the window thread would have to give: the job is released
// with Cancel and the destruction returns.
TEST_F(JobRunnerTest, ClosingWhileTheJobWaitsForAnAnswerDoesNotDeadlock) {
    std::atomic<int> answered{-1};
    jobs->start(
        [&](JobControl&) {
            const MessageAnswer answer =
                port.showText("Still there?", MessageIcon::Question, MessageButtons::OkCancel);
            answered = static_cast<int>(answer);
            return 0;
        },
        [](std::optional<int>) {});
    // No events are processed here: the question cannot be shown.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (port.waitingQuestions() == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
    ASSERT_EQ(port.waitingQuestions(), 1);
    jobs.reset();
    EXPECT_EQ(answered.load(), static_cast<int>(MessageAnswer::Cancel));
    EXPECT_TRUE(dialogs.shownMessages().isEmpty()) << "no message box after the window went";
    QCoreApplication::processEvents(); // the dropped question must not show either
    EXPECT_TRUE(dialogs.shownMessages().isEmpty());
}

TEST_F(JobRunnerTest, ProgressFromTheJobReachesTheWorkingWindow) {
    bool done = false;
    jobs->start(
        [&](JobControl&) {
            port.startProgress(msg::InProgress, 200);
            port.setProgress(50);
            return 0;
        },
        [&](std::optional<int>) { done = true; });
    ASSERT_TRUE(waitFor([&] { return done; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(working.caption(), QStringLiteral("In progress..."));
    EXPECT_EQ(working.permille(), 250);
    EXPECT_TRUE(working.isVisible());
    port.endProgress();
    EXPECT_FALSE(working.isVisible());
}

} // namespace
} // namespace kolvane
