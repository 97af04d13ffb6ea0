// SPDX-License-Identifier: MIT
// Options and report groups of one import.
#include "herdsim/ImportReport.h"

namespace herdsim {

std::string ImportOptions::describe() const {
    std::string text;
    const auto add = [&text](bool set, const char* name) {
        if (set) {
            text += text.empty() ? "" : ", ";
            text += name;
        }
    };
    add(errok, "errok");
    add(init, "init");
    add(errexit, "errexit");
    add(zero, "zero");
    add(trigger, "trigger");
    return text.empty() ? "none" : text;
}

void ImportReport::add(ReportGroup group) {
    ++(group.severity == Severity::Error ? errors_ : warnings_);
    if (groups_.size() < kMaxGroups) {
        groups_.push_back(std::move(group));
    } else {
        ++leftOut_;
    }
}

} // namespace herdsim
