// SPDX-License-Identifier: MIT
// The source (ASCII) file to read: a file on disk, or text already in memory.
#pragma once

#include "engine/LineReader.h"
#include "engine/Status.h"

#include <string>
#include <string_view>

namespace kolvane {

class SourceData {
public:
    static SourceData file(std::string path) { return SourceData(std::move(path), {}, false); }
    // `text` must outlive every reader opened on it.
    static SourceData text(std::string_view text, std::string name = "(text)") {
        return SourceData(std::move(name), text, true);
    }

    const std::string& name() const { return name_; }
    Status openIn(LineReader& reader) const;
    Status countLines(long& count) const;
    // The first `bytes` bytes (fewer when the source is shorter).
    Status readHead(std::size_t bytes, std::string& head) const;

private:
    SourceData(std::string name, std::string_view text, bool inMemory)
        : name_(std::move(name)), text_(text), inMemory_(inMemory) {}

    std::string name_;
    std::string_view text_;
    bool inMemory_ = false;
};

} // namespace kolvane
