// SPDX-License-Identifier: MIT
#include "engine/SourceData.h"

#include <algorithm>

namespace kolvane {

Status SourceData::openIn(LineReader& reader) const {
    if (inMemory_) {
        reader.openText(text_);
        return Status::Ok();
    }
    return reader.open(name_);
}

Status SourceData::countLines(long& count) const {
    if (!inMemory_) {
        return CountLines(name_, count);
    }
    count = static_cast<long>(std::count(text_.begin(), text_.end(), '\n'));
    if (!text_.empty() && text_.back() != '\n') {
        ++count;
    }
    return Status::Ok();
}

} // namespace kolvane
