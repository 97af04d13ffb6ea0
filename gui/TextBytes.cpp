// SPDX-License-Identifier: MIT
#include "gui/TextBytes.h"

#include "engine/LineReader.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace kolvane {

Status FileBytes::open(const std::string& path) {
    file_.close();
    cache_.clear();
    if (Status readable = CheckReadableFile(path); !readable.ok()) {
        return readable;
    }
    errno = 0;
    file_.open(path, std::ios::binary);
    if (!file_.is_open()) {
        const std::string reason =
            errno != 0 ? std::generic_category().message(errno) : "the file cannot be opened";
        return {ErrorCode::FileUnreadable, "cannot be opened: " + reason, path};
    }
    return Status::Ok();
}

const std::string& FileBytes::block(std::uint64_t number) {
    ++uses_;
    for (Block& cached : cache_) {
        if (cached.number == number) {
            cached.lastUse = uses_;
            return cached.bytes;
        }
    }
    Block* slot = nullptr;
    if (cache_.size() < kCachedBlocks) {
        slot = &cache_.emplace_back();
    } else {
        slot = &*std::min_element(cache_.begin(), cache_.end(), [](const Block& a, const Block& b) {
            return a.lastUse < b.lastUse;
        });
    }
    slot->number = number;
    slot->lastUse = uses_;
    slot->bytes.resize(kBlockSize);
    file_.clear();
    file_.seekg(static_cast<std::streamoff>(number * kBlockSize));
    file_.read(slot->bytes.data(), static_cast<std::streamsize>(kBlockSize));
    slot->bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(file_.gcount(), 0)));
    return slot->bytes;
}

std::string FileBytes::read(std::uint64_t offset, std::size_t count) {
    std::string bytes;
    while (bytes.size() < count && file_.is_open()) {
        const std::uint64_t at = offset + bytes.size();
        const std::string& cached = block(at / kBlockSize);
        const std::size_t within = static_cast<std::size_t>(at % kBlockSize);
        if (within >= cached.size()) {
            break; // the end of the file
        }
        bytes.append(cached, within, std::min(count - bytes.size(), cached.size() - within));
    }
    return bytes;
}

std::string MemoryBytes::read(std::uint64_t offset, std::size_t count) {
    if (offset >= text_.size()) {
        return {};
    }
    return text_.substr(static_cast<std::size_t>(offset), count);
}

} // namespace kolvane
