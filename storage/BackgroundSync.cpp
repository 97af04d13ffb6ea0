// SPDX-License-Identifier: MIT
#include "storage/BackgroundSync.h"

#include <cerrno>
#include <system_error>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace kolvane {

void BackgroundSync::request(int descriptor) {
    {
        const std::lock_guard lock(mutex_);
        if (stopping_) {
            return;
        }
        descriptor_ = descriptor;
        requested_ = true;
    }
    if (!thread_.joinable()) {
        thread_ = std::thread([this] { run(); });
    }
    wake_.notify_one();
}

void BackgroundSync::stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) {
        thread_.join();
    }
}

std::string BackgroundSync::failure() const {
    const std::lock_guard lock(mutex_);
    return failure_;
}

void BackgroundSync::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || requested_; });
        if (stopping_) {
            return;
        }
        requested_ = false;
        const int descriptor = descriptor_;
        lock.unlock();
#if !defined(_WIN32)
        const bool flushed = ::fdatasync(descriptor) == 0;
        const int error = errno;
#else
        const bool flushed = true;
        const int error = 0;
#endif
        lock.lock();
        if (!flushed && failure_.empty()) {
            failure_ = std::generic_category().message(error);
        }
    }
}

} // namespace kolvane
