// SPDX-License-Identifier: MIT
// Fast reading of a text file line by line: large buffered reads, lines handed
// out as views into the buffer, no system call or allocation per line.
#pragma once

#include "engine/Status.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kolvane {

class LineReader {
public:
    // A longer line is refused: no text export has one, and memory stays bounded.
    static constexpr std::size_t kDefaultMaxLineLength = std::size_t{16} << 20;

    explicit LineReader(std::size_t maxLineLength = kDefaultMaxLineLength);

    // Opens a file; the status names the path and the reason when it cannot.
    Status open(const std::string& path);
    // Reads from memory instead of a file (the text must outlive the reader).
    void openText(std::string_view text);
    void close();

    enum class Result { Line, End, Error };
    // The next line without its line break (LF, or CR LF). The view stays valid
    // until the next call. A final line without a break still counts as a line.
    Result next(std::string_view& line);

    // Many lines at once, for readers that cut lines themselves: `lines` is
    // whole lines as the file holds them, line breaks included, about
    // `blockBytes` of them (more when one line is longer), the last one
    // without a break only at the end of the file. File text is read into
    // `storage` (whose size is then only room), text in memory is not copied.
    // Lines count as next() counts them.
    Result nextBlock(std::string& storage, std::string_view& lines, std::size_t blockBytes);

    const Status& error() const { return error_; }
    long lineNumber() const { return lineNumber_; }
    std::uint64_t bytesConsumed() const { return consumed_; }
    std::uint64_t size() const { return size_; }
    const std::string& path() const { return path_; }

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    bool refill();
    Result readBlock(std::string& storage, std::size_t blockBytes, std::size_t& used);
    Result tooLong();

    std::size_t maxLineLength_;
    std::unique_ptr<std::FILE, FileCloser> file_;
    std::vector<char> buffer_;
    std::string_view text_; // the unread part of the buffer (or of the in-memory text)
    bool eof_ = true;
    bool lastReadFilled_ = false; // the room grows while reads fill it
    bool inMemory_ = false;
    Status error_;
    std::string path_;
    long lineNumber_ = 0;
    std::uint64_t consumed_ = 0;
    std::uint64_t size_ = 0;
};

// Checks that `path` is a readable regular file; the status explains otherwise.
Status CheckReadableFile(const std::string& path);

// Number of lines of a file as a line reader sees them.
Status CountLines(const std::string& path, long& count);

} // namespace kolvane
