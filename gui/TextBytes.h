// SPDX-License-Identifier: MIT
// The bytes behind a large text view: a file read on demand through a small
// block cache (never loaded whole), or a text in memory that its owner keeps.
#pragma once

#include "engine/Status.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace kolvane {

class TextBytes {
public:
    virtual ~TextBytes() = default;
    // Up to `count` bytes from `offset`; fewer at the end (or after a read error).
    virtual std::string read(std::uint64_t offset, std::size_t count) = 0;
};

// A file opened once and read in 64 KiB blocks; the last 16 blocks read stay
// in memory, so painting the visible lines rarely touches the disk.
class FileBytes final : public TextBytes {
public:
    static constexpr std::size_t kBlockSize = std::size_t{64} << 10;
    static constexpr std::size_t kCachedBlocks = 16;

    // The status names the path and why it cannot be read.
    Status open(const std::string& path);
    std::string read(std::uint64_t offset, std::size_t count) override;

private:
    struct Block {
        std::uint64_t number = 0;
        std::uint64_t lastUse = 0;
        std::string bytes;
    };
    const std::string& block(std::uint64_t number);

    std::ifstream file_;
    std::vector<Block> cache_;
    std::uint64_t uses_ = 0;
};

// A text owned elsewhere, which must outlive this object. It is read through
// the string itself, never through a pointer kept to its bytes, and every read
// is bounded by its current size: a text that changes unannounced is never
// read outside, and changed() tells the view to index it again.
class MemoryBytes final : public TextBytes {
public:
    explicit MemoryBytes(const std::string& text)
        : text_(text), data_(text.data()), size_(text.size()) {}
    std::string read(std::uint64_t offset, std::size_t count) override;
    const std::string& text() const { return text_; }
    // Whether the text is no longer the one this object was made for (moved,
    // replaced or resized; an edit in place of the same size goes unseen).
    bool changed() const { return text_.data() != data_ || text_.size() != size_; }

private:
    const std::string& text_;
    const char* data_;
    std::size_t size_;
};

} // namespace kolvane
