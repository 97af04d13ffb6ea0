// SPDX-License-Identifier: MIT
#include "engine/LineReader.h"

#include "engine/Messages.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace kolvane {
namespace {

constexpr std::size_t kReadBlock = std::size_t{1} << 20;
// The first read: often all that is read line by line before blocks are read
// straight into their own room. Fresh memory is dear (a page fault each 4 KiB).
constexpr std::size_t kFirstRead = std::size_t{64} << 10;

std::string describeErrno(int error) {
    return std::generic_category().message(error);
}

} // namespace

Status CheckReadableFile(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) {
        if (ec && ec != std::errc::no_such_file_or_directory) {
            return {ErrorCode::FileUnreadable, "cannot be read: " + ec.message(), path};
        }
        return Status(ErrorCode::FileNotFound, "the file does not exist", path)
            .withMessage(msg::FileNotFound);
    }
    if (std::filesystem::is_directory(status)) {
        return {ErrorCode::NotAFile, "this is a folder, not a file", path};
    }
    if (!std::filesystem::is_regular_file(status)) {
        return {ErrorCode::NotAFile, "this is not a regular file", path};
    }
    return Status::Ok();
}

LineReader::LineReader(std::size_t maxLineLength) : maxLineLength_(maxLineLength) {}

Status LineReader::open(const std::string& path) {
    close();
    path_ = path;
    if (Status check = CheckReadableFile(path); !check.ok()) {
        return check;
    }
    std::FILE* raw = std::fopen(path.c_str(), "rb");
    if (raw == nullptr) {
        return {ErrorCode::FileUnreadable, "cannot be opened: " + describeErrno(errno), path};
    }
    file_.reset(raw);
    std::setvbuf(raw, nullptr, _IONBF, 0); // we buffer ourselves
    std::error_code ec;
    size_ = std::filesystem::file_size(path, ec);
    // A small file needs no block of room; a large one gets it as reading goes on.
    const std::uint64_t wanted = ec ? kFirstRead : size_ + 1;
    buffer_.resize(static_cast<std::size_t>(std::clamp<std::uint64_t>(wanted, 4096, kFirstRead)));
    lastReadFilled_ = false;
    eof_ = false;
    return Status::Ok();
}

void LineReader::openText(std::string_view text) {
    close();
    inMemory_ = true;
    text_ = text;
    size_ = text.size();
    eof_ = true;
}

void LineReader::close() {
    file_.reset();
    text_ = {};
    eof_ = true;
    inMemory_ = false;
    error_ = Status::Ok();
    lineNumber_ = 0;
    consumed_ = 0;
    size_ = 0;
}

// Moves the unread rest to the front of the buffer and reads more after it.
bool LineReader::refill() {
    if (eof_ || !file_) {
        return false;
    }
    const std::size_t rest = text_.size();
    if (rest > 0 && text_.data() != buffer_.data()) {
        std::memmove(buffer_.data(), text_.data(), rest);
    }
    if (buffer_.size() - rest < std::min(buffer_.size(), kReadBlock) / 2 ||
        (lastReadFilled_ && buffer_.size() < kReadBlock)) {
        buffer_.resize(buffer_.size() * 2);
    }
    const std::size_t room = buffer_.size() - rest;
    const std::size_t got = std::fread(buffer_.data() + rest, 1, room, file_.get());
    lastReadFilled_ = got == room;
    if (got == 0) {
        if (std::ferror(file_.get())) {
            error_ = {ErrorCode::FileUnreadable, "reading failed: " + describeErrno(errno), path_,
                      lineNumber_ + 1};
        }
        eof_ = true;
    }
    text_ = std::string_view(buffer_.data(), rest + got);
    return got > 0;
}

LineReader::Result LineReader::next(std::string_view& line) {
    if (!error_.ok()) {
        return Result::Error;
    }
    std::size_t searchFrom = 0;
    for (;;) {
        const void* found = text_.size() > searchFrom ? std::memchr(text_.data() + searchFrom, '\n',
                                                                    text_.size() - searchFrom)
                                                      : nullptr;
        if (found != nullptr) {
            const auto length =
                static_cast<std::size_t>(static_cast<const char*>(found) - text_.data());
            if (length > maxLineLength_) {
                break;
            }
            line = text_.substr(0, length);
            if (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
            }
            text_.remove_prefix(length + 1);
            consumed_ += length + 1;
            ++lineNumber_;
            return Result::Line;
        }
        if (text_.size() > maxLineLength_) {
            break;
        }
        searchFrom = text_.size();
        if (!refill()) {
            if (!error_.ok()) {
                return Result::Error;
            }
            if (text_.empty()) {
                return Result::End;
            }
            line = text_; // the last line has no line break
            if (line.back() == '\r') {
                line.remove_suffix(1);
            }
            consumed_ += text_.size();
            text_ = {};
            ++lineNumber_;
            return Result::Line;
        }
    }
    return tooLong();
}

LineReader::Result LineReader::tooLong() {
    error_ = {ErrorCode::LineTooLong,
              "the line is longer than " + std::to_string(maxLineLength_ >> 20) +
                  " MiB; this does not look like a text export",
              path_, lineNumber_ + 1};
    return Result::Error;
}

namespace {

long countLineBreaks(std::string_view text) {
    long count = 0;
    const char* p = text.data();
    const char* const end = p + text.size();
    while (
        (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p))))) {
        ++count;
        ++p;
    }
    return count;
}

// Where the first line of `lines` longer than `limit` (its line break aside)
// starts; npos when none is.
std::size_t firstLineLongerThan(std::string_view lines, std::size_t limit) {
    std::size_t start = 0;
    while (start < lines.size()) {
        const std::size_t end = std::min(lines.find('\n', start), lines.size());
        if (end - start > limit) {
            return start;
        }
        start = end + 1;
    }
    return std::string_view::npos;
}

} // namespace

// Whole lines of the file into the first `used` bytes of `storage`: the
// unread rest first, then reads until the block is full or the file ends;
// what follows the last line break goes back to the buffer for the next
// block. The storage only grows, so that its bytes are not cleared each time.
LineReader::Result LineReader::readBlock(std::string& storage, std::size_t blockBytes,
                                         std::size_t& used) {
    const auto room = [&storage](std::size_t bytes) {
        if (storage.size() < bytes) {
            storage.resize(bytes);
        }
    };
    room(std::max(text_.size(), blockBytes));
    if (!text_.empty()) {
        std::memcpy(storage.data(), text_.data(), text_.size());
    }
    used = text_.size();
    std::size_t lastBreak = std::string_view(storage.data(), used).rfind('\n');
    text_ = {};
    while (!eof_) {
        if (used >= blockBytes && lastBreak != std::string::npos) {
            break;
        }
        if (used > maxLineLength_ + blockBytes) {
            return tooLong();
        }
        room(std::max(used + blockBytes / 2, blockBytes));
        const std::size_t got =
            std::fread(storage.data() + used, 1, storage.size() - used, file_.get());
        if (const std::size_t found = std::string_view(storage.data() + used, got).rfind('\n');
            found != std::string_view::npos) {
            lastBreak = used + found;
        }
        used += got;
        if (got == 0) {
            if (std::ferror(file_.get())) {
                error_ = {ErrorCode::FileUnreadable, "reading failed: " + describeErrno(errno),
                          path_, lineNumber_ + 1};
                return Result::Error;
            }
            eof_ = true;
        }
    }
    if (eof_) {
        return used == 0 ? Result::End : Result::Line;
    }
    const std::size_t rest = used - lastBreak - 1;
    buffer_.resize(std::max(buffer_.size(), rest));
    std::memcpy(buffer_.data(), storage.data() + lastBreak + 1, rest);
    text_ = std::string_view(buffer_.data(), rest);
    used = lastBreak + 1;
    return Result::Line;
}

LineReader::Result LineReader::nextBlock(std::string& storage, std::string_view& lines,
                                         std::size_t blockBytes) {
    if (!error_.ok()) {
        return Result::Error;
    }
    if (inMemory_) {
        if (text_.empty()) {
            return Result::End;
        }
        std::size_t end = text_.size();
        if (end > blockBytes) {
            const std::size_t lastBreak = text_.rfind('\n', blockBytes);
            const std::size_t nextBreak =
                lastBreak != std::string_view::npos ? lastBreak : text_.find('\n', blockBytes);
            end = nextBreak == std::string_view::npos ? text_.size() : nextBreak + 1;
        }
        lines = text_.substr(0, end);
    } else {
        std::size_t used = 0;
        if (const Result read = readBlock(storage, blockBytes, used); read != Result::Line) {
            return read;
        }
        lines = std::string_view(storage.data(), used);
    }
    // The lines before an overlong one are read, as next() reads them; the
    // overlong line fails on the next call.
    if (lines.size() > maxLineLength_) {
        if (const std::size_t at = firstLineLongerThan(lines, maxLineLength_);
            at != std::string_view::npos) {
            if (at == 0) {
                return tooLong();
            }
            if (!inMemory_) {
                const std::string_view rest = lines.substr(at);
                buffer_.resize(std::max(buffer_.size(), rest.size()));
                std::memcpy(buffer_.data(), rest.data(), rest.size());
                text_ = std::string_view(buffer_.data(), rest.size());
            }
            lines = lines.substr(0, at);
        }
    }
    if (inMemory_) {
        text_.remove_prefix(lines.size());
    }
    consumed_ += lines.size();
    lineNumber_ += countLineBreaks(lines) + (lines.back() == '\n' ? 0 : 1);
    return Result::Line;
}

Status CountLines(const std::string& path, long& count) {
    count = 0;
    if (Status check = CheckReadableFile(path); !check.ok()) {
        return check;
    }
    std::FILE* raw = std::fopen(path.c_str(), "rb");
    if (raw == nullptr) {
        return {ErrorCode::FileUnreadable, "cannot be opened: " + describeErrno(errno), path};
    }
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(raw, &std::fclose);
    std::setvbuf(raw, nullptr, _IONBF, 0);
    std::vector<char> block(kReadBlock);
    char last = '\n';
    for (;;) {
        const std::size_t got = std::fread(block.data(), 1, block.size(), raw);
        if (got == 0) {
            if (std::ferror(raw)) {
                return {ErrorCode::FileUnreadable, "reading failed: " + describeErrno(errno), path};
            }
            break;
        }
        const char* p = block.data();
        const char* end = p + got;
        while ((p = static_cast<const char*>(
                    std::memchr(p, '\n', static_cast<std::size_t>(end - p))))) {
            ++count;
            ++p;
        }
        last = block[got - 1];
    }
    if (last != '\n') {
        ++count;
    }
    return Status::Ok();
}

} // namespace kolvane
