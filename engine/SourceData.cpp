// SPDX-License-Identifier: MIT
#include "engine/SourceData.h"

#include <algorithm>
#include <cstdio>
#include <memory>

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

Status SourceData::readHead(std::size_t bytes, std::string& head) const {
    head.clear();
    if (inMemory_) {
        head = text_.substr(0, bytes);
        return Status::Ok();
    }
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(name_.c_str(), "rb"),
                                                               &std::fclose);
    if (!file) {
        return Status::Ok(); // the line reader tells why it cannot be opened
    }
    // In blocks: `bytes` may be far more than the file holds.
    char block[65536];
    while (head.size() < bytes) {
        const std::size_t wanted = std::min(sizeof block, bytes - head.size());
        const std::size_t got = std::fread(block, 1, wanted, file.get());
        head.append(block, got);
        if (got < wanted) {
            break;
        }
    }
    return Status::Ok();
}

} // namespace kolvane
