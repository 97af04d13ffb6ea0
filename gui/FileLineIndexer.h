// SPDX-License-Identifier: MIT
// Finds the line starts of a file on a helper thread, so that a window shows
// the first lines of a large file at once and stays responsive while the rest
// is read. The file is read through a handle of its own, in 1 MiB pieces; the
// line starts of each piece are handed over as soon as it is read.
#pragma once

#include "engine/Status.h"

#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace kolvane {

class FileLineIndexer {
public:
    static constexpr std::size_t kPieceSize = std::size_t{1} << 20;

    struct Piece {
        std::vector<std::uint64_t> startsAfterBreaks; // see LineStartsAfterBreaks
        std::uint64_t scannedTo = 0;
        bool last = false; // the end of the file, or reading stopped (see error)
        Status error;
    };
    // Called on the helper thread, once per piece; after a stop, never again.
    using Deliver = std::function<void(Piece)>;

    FileLineIndexer() = default;
    ~FileLineIndexer() { stop(); }
    FileLineIndexer(const FileLineIndexer&) = delete;
    FileLineIndexer& operator=(const FileLineIndexer&) = delete;

    // Reads `path` from offset `from` to its end.
    void start(const std::string& path, std::uint64_t from, Deliver deliver);
    // Stops the reading and waits for the helper thread (at most one piece).
    void stop();

private:
    std::jthread thread_;
};

} // namespace kolvane
