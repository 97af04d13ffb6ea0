// SPDX-License-Identifier: MIT
// Long work off the window thread, written once for every worker: the job runs
// on a helper thread and talks to the user through the window's user port; its
// result comes back to the window thread in one callback. One job at a time.
// Cancel stops it at its next progress point and delivers no result; closing
// (destroying the runner) cancels, releases any question the job waits on and
// waits for the helper thread, so a window that goes away never deadlocks with
// its worker.
#pragma once

#include "gui/GuiPort.h"

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

class QThread;

namespace kolvane {

// What a running job can ask: whether it should stop. Engine operations take
// the flag in their context and stop at their next progress point.
class JobControl {
public:
    bool stopRequested() const { return stop_.load(std::memory_order_relaxed); }
    const std::atomic<bool>& stopFlag() const { return stop_; }

private:
    friend class JobRunner;
    std::atomic<bool> stop_{false};
    bool outOfMemory_ = false; // set by the helper thread before it ends
};

class JobRunner final : public QObject {
    Q_OBJECT
public:
    explicit JobRunner(GuiPort& port, QObject* parent = nullptr);
    ~JobRunner() override;

    bool busy() const { return thread_ != nullptr; }

    // Runs `work(JobControl&)` on a helper thread; then, on this object's
    // thread, `done(std::optional<Result>)`: the result, or nothing when the job
    // was cancelled. False (and nothing runs) while another job runs. A job that
    // runs out of memory ends as a cancelled one, and the user is told.
    template <typename Work, typename Done> bool start(Work work, Done done) {
        using Result = std::invoke_result_t<Work&, JobControl&>;
        auto result = std::make_shared<std::optional<Result>>();
        return launch([work = std::move(work),
                       result](JobControl& control) mutable { result->emplace(work(control)); },
                      [done = std::move(done), result](bool cancelled) mutable {
                          done(cancelled ? std::optional<Result>() : std::move(*result));
                      });
    }

    // Asks the running job to stop; its callback then gets nothing.
    void cancel();

signals:
    void busyChanged(bool busy);

private:
    bool launch(std::function<void(JobControl&)> work, std::function<void(bool cancelled)> deliver);
    void finish();

    GuiPort& port_;
    QThread* thread_ = nullptr;
    std::shared_ptr<JobControl> control_;
    std::function<void(bool)> deliver_;
};

} // namespace kolvane
