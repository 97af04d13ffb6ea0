// SPDX-License-Identifier: MIT
#include "engine/ValueFindings.h"

namespace kolvane {

void ValueFindings::add(ValueFinding finding) {
    ++counts_[slot(finding.kind, finding.severity)];
    if (kept_.size() < kKeptLimit) {
        kept_.push_back(std::move(finding));
    }
}

void ValueFindings::merge(const ValueFindings& later) {
    for (std::size_t i = 0; i < counts_.size(); ++i) {
        counts_[i] += later.counts_[i];
    }
    for (const ValueFinding& finding : later.kept_) {
        if (kept_.size() >= kKeptLimit) {
            break;
        }
        kept_.push_back(finding);
    }
}

std::size_t ValueFindings::total(Severity severity) const {
    std::size_t sum = 0;
    for (std::size_t kind = 0; kind < kFindingKinds; ++kind) {
        sum += counts_[kind * 2 + static_cast<std::size_t>(severity)];
    }
    return sum;
}

} // namespace kolvane
