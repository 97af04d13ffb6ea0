// SPDX-License-Identifier: MIT
#include "storage/AtomicFile.h"

#include "engine/LineReader.h"

#include <cerrno>
#include <filesystem>
#include <random>
#include <system_error>

#if !defined(_WIN32)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace kolvane {
namespace {

std::string errnoText() {
    return std::generic_category().message(errno);
}

std::string temporaryNameFor(const std::string& path) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    const auto name = std::filesystem::path(path).filename().string();
    const auto folder = std::filesystem::path(path).parent_path();
    return (folder / ("." + name + ".tmp-" + std::to_string(random() % 1000000000))).string();
}

// Flushes a file that this program wrote and closed to the disk.
Status syncToDisk(const std::string& path) {
#if !defined(_WIN32)
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    const std::string reason = synced ? std::string() : errnoText();
    if (fd >= 0) {
        ::close(fd);
    }
    if (!synced) {
        return {ErrorCode::WriteFailed, "writing failed: " + reason};
    }
#else
    static_cast<void>(path);
#endif
    return Status::Ok();
}

} // namespace

Status AtomicPathWriter::reserve(const std::string& target) {
    discard();
    target_ = target;
    std::error_code ec;
    if (std::filesystem::is_directory(target, ec)) {
        return {ErrorCode::WriteFailed, "this is a folder, not a file", target};
    }
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::string candidate = temporaryNameFor(target);
        if (std::FILE* created = std::fopen(candidate.c_str(), "wbx")) {
            std::fclose(created);
            temporary_ = std::move(candidate);
            return Status::Ok();
        }
        if (errno != EEXIST) {
            return {ErrorCode::WriteFailed, "cannot be written: " + errnoText(), target};
        }
    }
    return {ErrorCode::WriteFailed, "cannot create a temporary file beside it", target};
}

Status AtomicPathWriter::commit() {
    if (temporary_.empty()) {
        return {ErrorCode::WriteFailed, "the file is not open for writing", target_};
    }
    if (Status synced = syncToDisk(temporary_); !synced.ok()) {
        discard();
        return {synced.code(), synced.message(), target_};
    }
    std::error_code ec;
    std::filesystem::rename(temporary_, target_, ec);
    if (ec) {
        discard();
        return {ErrorCode::WriteFailed, "cannot replace the file: " + ec.message(), target_};
    }
    temporary_.clear();
    return Status::Ok();
}

void AtomicPathWriter::discard() {
    if (!temporary_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
        temporary_.clear();
    }
}

AtomicFileWriter::~AtomicFileWriter() {
    discard();
}

void AtomicFileWriter::discard() {
    file_.reset();
    reserved_.discard();
}

Status AtomicFileWriter::open(const std::string& path) {
    discard();
    path_ = path;
    if (Status reserved = reserved_.reserve(path); !reserved.ok()) {
        return reserved;
    }
    file_.reset(std::fopen(reserved_.path().c_str(), "wb"));
    if (!file_) {
        const std::string reason = errnoText();
        discard();
        return {ErrorCode::WriteFailed, "cannot be written: " + reason, path};
    }
    return Status::Ok();
}

Status AtomicFileWriter::write(std::string_view bytes) {
    if (!file_) {
        return {ErrorCode::WriteFailed, "the file is not open for writing", path_};
    }
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size()) {
        const std::string reason = errnoText();
        discard();
        return {ErrorCode::WriteFailed, "writing failed: " + reason, path_};
    }
    return Status::Ok();
}

Status AtomicFileWriter::commit() {
    if (!file_) {
        return {ErrorCode::WriteFailed, "the file is not open for writing", path_};
    }
    const bool flushed = std::fflush(file_.get()) == 0;
    const std::string reason = flushed ? std::string() : errnoText();
    const bool closed = std::fclose(file_.release()) == 0;
    if (!flushed || !closed) {
        discard();
        return {ErrorCode::WriteFailed,
                "writing failed: " + (reason.empty() ? errnoText() : reason), path_};
    }
    return reserved_.commit();
}

Status WriteFileAtomically(const std::string& path, std::string_view bytes) {
    AtomicFileWriter writer;
    if (Status status = writer.open(path); !status.ok()) {
        return status;
    }
    if (Status status = writer.write(bytes); !status.ok()) {
        return status;
    }
    return writer.commit();
}

Status ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes) {
    bytes.clear();
    if (Status check = CheckReadableFile(path); !check.ok()) {
        return check;
    }
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > maxBytes) {
        return {ErrorCode::BadFileFormat,
                "the file is too large (" + std::to_string(size) + " bytes)", path};
    }
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    if (!file) {
        return {ErrorCode::FileUnreadable, "cannot be opened: " + errnoText(), path};
    }
    char block[65536];
    std::size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file.get())) > 0) {
        bytes.append(block, got);
        if (bytes.size() > maxBytes) {
            return {ErrorCode::BadFileFormat, "the file is too large", path};
        }
    }
    if (std::ferror(file.get())) {
        return {ErrorCode::FileUnreadable, "reading failed: " + errnoText(), path};
    }
    return Status::Ok();
}

} // namespace kolvane
