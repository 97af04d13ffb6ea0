// SPDX-License-Identifier: MIT
// Where "today" comes from, so that tests can fix it.
#pragma once

#include <chrono>

namespace kolvane {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::chrono::year_month_day today() const = 0;
};

// Today's date in the local time zone.
class SystemClock final : public Clock {
public:
    std::chrono::year_month_day today() const override;
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(std::chrono::year_month_day date) : date_(date) {}
    std::chrono::year_month_day today() const override { return date_; }

private:
    std::chrono::year_month_day date_;
};

} // namespace kolvane
