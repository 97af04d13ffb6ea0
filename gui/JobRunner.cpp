// SPDX-License-Identifier: MIT
#include "gui/JobRunner.h"

#include "engine/Messages.h"

#include <QThread>
#include <new>

namespace kolvane {

JobRunner::JobRunner(GuiPort& port, QObject* parent) : QObject(parent), port_(port) {}

JobRunner::~JobRunner() {
    if (thread_ != nullptr) {
        cancel();
        thread_->wait();
        delete thread_;
    }
}

bool JobRunner::launch(std::function<void(JobControl&)> work,
                       std::function<void(bool cancelled)> deliver) {
    if (busy()) {
        return false;
    }
    control_ = std::make_shared<JobControl>();
    deliver_ = std::move(deliver);
    port_.acceptQuestions();
    thread_ = QThread::create([work = std::move(work), control = control_]() mutable {
        try {
            work(*control);
        } catch (const std::bad_alloc&) {
            // The work's own objects are gone with the stack: what it was
            // building is dropped, the state it was given stays as it was.
            control->outOfMemory_ = true;
            control->stop_.store(true, std::memory_order_relaxed);
        }
    });
    // Queued: finished comes from the helper thread; dropped when this object goes.
    connect(thread_, &QThread::finished, this, &JobRunner::finish, Qt::QueuedConnection);
    thread_->start();
    emit busyChanged(true);
    return true;
}

void JobRunner::cancel() {
    if (control_ != nullptr) {
        control_->stop_.store(true, std::memory_order_relaxed);
    }
    port_.releaseQuestions();
}

void JobRunner::finish() {
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    const bool cancelled = control_->stopRequested();
    const bool outOfMemory = control_->outOfMemory_;
    control_.reset();
    if (outOfMemory) {
        port_.showMessage(msg::OutOfMemory, MessageIcon::Critical, MessageButtons::Ok);
    }
    // The callback may start the next job: nothing of this one is left.
    auto deliver = std::move(deliver_);
    deliver_ = nullptr;
    emit busyChanged(false);
    deliver(cancelled);
}

} // namespace kolvane
