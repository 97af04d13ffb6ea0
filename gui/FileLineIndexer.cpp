// SPDX-License-Identifier: MIT
#include "gui/FileLineIndexer.h"

#include "gui/LineIndex.h"

#include <algorithm>
#include <fstream>

namespace kolvane {
namespace {

void indexFile(const std::stop_token& stop, const std::string& path, std::uint64_t from,
               const FileLineIndexer::Deliver& deliver) {
    std::ifstream file(path, std::ios::binary);
    file.seekg(static_cast<std::streamoff>(from));
    std::string piece(FileLineIndexer::kPieceSize, '\0');
    std::uint64_t offset = from;
    while (!stop.stop_requested()) {
        file.read(piece.data(), static_cast<std::streamsize>(piece.size()));
        const auto count = static_cast<std::size_t>(std::max<std::streamsize>(file.gcount(), 0));
        FileLineIndexer::Piece found{
            LineStartsAfterBreaks(std::string_view(piece.data(), count), offset), offset + count,
            !file, Status::Ok()};
        offset += count;
        if (file.bad() || !file.is_open()) {
            found.error = {ErrorCode::FileUnreadable, "reading failed", path};
        }
        if (stop.stop_requested()) {
            return;
        }
        deliver(std::move(found));
        if (!file) {
            return;
        }
    }
}

} // namespace

void FileLineIndexer::start(const std::string& path, std::uint64_t from, Deliver deliver) {
    stop();
    thread_ = std::jthread([path, from, deliver = std::move(deliver)](std::stop_token stop) {
        indexFile(stop, path, from, deliver);
    });
}

void FileLineIndexer::stop() {
    if (thread_.joinable()) {
        thread_.request_stop();
        thread_.join();
    }
}

} // namespace kolvane
