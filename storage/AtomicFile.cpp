// SPDX-License-Identifier: MIT
#include "storage/AtomicFile.h"

#include "engine/LineReader.h"
#include "storage/BackgroundSync.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <filesystem>
#include <random>
#include <system_error>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace kolvane {
namespace {

std::string errnoText() {
    return std::generic_category().message(errno);
}

namespace fs = std::filesystem;

// ".<name>.tmp-": what every temporary file of a target begins with.
std::string temporaryPrefixFor(const std::string& path) {
    return "." + fs::path(path).filename().string() + ".tmp-";
}

int processId() {
#if !defined(_WIN32)
    return static_cast<int>(::getpid());
#else
    return 0;
#endif
}

// The writer's process id is in the name, so that a later writer can tell
// the temporary file of a killed one from one still being written.
std::string temporaryNameFor(const std::string& path) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    const auto folder = fs::path(path).parent_path();
    return (folder / (temporaryPrefixFor(path) + std::to_string(processId()) + "-" +
                      std::to_string(random() % 1000000000)))
        .string();
}

bool processIsGone(int pid) {
#if !defined(_WIN32)
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
#else
    static_cast<void>(pid);
    return false;
#endif
}

// Removes the temporary files that writers of the same target left when they
// were killed: a process that is gone will never finish its file.
void removeStaleTemporaries(const std::string& target) {
    const std::string prefix = temporaryPrefixFor(target);
    fs::path folder = fs::path(target).parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    std::error_code ec;
    for (fs::directory_iterator entry(folder, ec), end; !ec && entry != end; entry.increment(ec)) {
        const std::string name = entry->path().filename().string();
        if (!name.starts_with(prefix)) {
            continue;
        }
        const std::string_view rest = std::string_view(name).substr(prefix.size());
        int pid = 0;
        const auto [stop, error] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
        if (error == std::errc{} && stop != rest.data() + rest.size() && *stop == '-' &&
            processIsGone(pid)) {
            std::error_code ignored;
            fs::remove(entry->path(), ignored);
        }
    }
}

// A symbolic link is followed: the file it names is replaced, in that file's
// folder, and the link stays a link.
std::string replacedPath(const std::string& path) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(path, ec))) {
        return path;
    }
    const fs::path resolved = fs::weakly_canonical(path, ec);
    return ec ? path : resolved.string();
}

// A device, a pipe or a socket: written to as it is, never replaced.
bool isSpecialFile(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    return !ec && fs::exists(status) && !fs::is_regular_file(status) && !fs::is_directory(status);
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
    target_ = replacedPath(target);
    std::error_code ec;
    if (std::filesystem::is_directory(target_, ec)) {
        return {ErrorCode::WriteFailed, "this is a folder, not a file", target};
    }
    removeStaleTemporaries(target_);
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::string candidate = temporaryNameFor(target_);
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

AtomicFileWriter::AtomicFileWriter() = default;

AtomicFileWriter::~AtomicFileWriter() {
    discard();
}

void AtomicFileWriter::discard() {
    sync_.reset(); // before the descriptor it flushes is closed
    file_.reset(); // an unnamed file vanishes with its descriptor
    reserved_.discard();
    mode_ = Mode::Closed;
}

namespace {

#if defined(O_TMPFILE) && !defined(_WIN32)
// A file without a name in `folder`: a killed writer leaves nothing behind.
// Only where the file system can create one and /proc can give it a name.
std::FILE* openUnnamed(const std::string& target) {
    if (::access("/proc/self/fd", X_OK) != 0) {
        return nullptr;
    }
    fs::path folder = fs::path(target).parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) {
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "wb");
    if (file == nullptr) {
        ::close(fd);
    }
    return file;
}

// Gives the unnamed file a name beside the target, then renames it over the target.
Status linkOver(std::FILE* file, const std::string& target) {
    const std::string descriptor = "/proc/self/fd/" + std::to_string(::fileno(file));
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::string named = temporaryNameFor(target);
        if (::linkat(AT_FDCWD, descriptor.c_str(), AT_FDCWD, named.c_str(), AT_SYMLINK_FOLLOW) !=
            0) {
            if (errno == EEXIST) {
                continue;
            }
            return {ErrorCode::WriteFailed, "cannot be written: " + errnoText(), target};
        }
        std::error_code ec;
        fs::rename(named, target, ec);
        if (ec) {
            fs::remove(named, ec);
            return {ErrorCode::WriteFailed, "cannot replace the file: " + ec.message(), target};
        }
        return Status::Ok();
    }
    return {ErrorCode::WriteFailed, "cannot create a temporary file beside it", target};
}
#else
std::FILE* openUnnamed(const std::string&) {
    return nullptr;
}
Status linkOver(std::FILE*, const std::string& target) {
    return {ErrorCode::WriteFailed, "cannot be written", target};
}
#endif

// A large file's bytes go to the disk while more are written, so that the
// flush at the end has little left to wait for.
constexpr std::uint64_t kWriteBackStep = std::uint64_t{4} << 20;
// ... and every so many bytes a flush on a thread of its own makes them safe.
constexpr std::uint64_t kBackgroundSyncStep = std::uint64_t{16} << 20;

void startWriteBack(std::FILE* file, std::uint64_t from, std::uint64_t to) {
#if defined(__linux__)
    if (std::fflush(file) == 0) {
        static_cast<void>(::sync_file_range(::fileno(file), static_cast<off64_t>(from),
                                            static_cast<off64_t>(to - from),
                                            SYNC_FILE_RANGE_WRITE));
    }
#else
    static_cast<void>(file);
    static_cast<void>(from);
    static_cast<void>(to);
#endif
}

bool flushToDisk(std::FILE* file) {
#if !defined(_WIN32)
    return std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
#else
    return std::fflush(file) == 0;
#endif
}

} // namespace

Status AtomicFileWriter::open(const std::string& path) {
    discard();
    path_ = path;
    written_ = 0;
    handedOn_ = 0;
    syncedTo_ = 0;
    if (isSpecialFile(path)) {
        // A device or a pipe cannot be replaced; renaming over it would turn
        // it into a plain file for every program on the machine.
        file_.reset(std::fopen(path.c_str(), "wb"));
        mode_ = Mode::Direct;
    } else {
        target_ = replacedPath(path);
        std::error_code ec;
        if (fs::is_directory(target_, ec)) {
            return {ErrorCode::WriteFailed, "this is a folder, not a file", path};
        }
        removeStaleTemporaries(target_);
        file_.reset(openUnnamed(target_));
        mode_ = Mode::Unnamed;
        if (!file_) {
            if (Status reserved = reserved_.reserve(target_); !reserved.ok()) {
                return {reserved.code(), reserved.message(), path};
            }
            file_.reset(std::fopen(reserved_.path().c_str(), "wb"));
            mode_ = Mode::Named;
        }
    }
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
    written_ += bytes.size();
    if (mode_ != Mode::Direct && written_ - handedOn_ >= kWriteBackStep) {
        startWriteBack(file_.get(), handedOn_, written_);
        handedOn_ = written_;
        if (written_ - syncedTo_ >= kBackgroundSyncStep) {
            requestBackgroundSync();
        }
    }
    return Status::Ok();
}

void AtomicFileWriter::requestBackgroundSync() {
#if !defined(_WIN32)
    if (!sync_) {
        sync_ = std::make_unique<BackgroundSync>();
    }
    sync_->request(::fileno(file_.get()));
#endif
    syncedTo_ = written_;
}

Status AtomicFileWriter::commit() {
    if (!file_) {
        return {ErrorCode::WriteFailed, "the file is not open for writing", path_};
    }
    if (sync_) {
        sync_->stop();
        // A failure is told to one flush only: the last one would not see it again.
        if (const std::string failure = sync_->failure(); !failure.empty()) {
            discard();
            return {ErrorCode::WriteFailed, "writing failed: " + failure, path_};
        }
        sync_.reset();
    }
    const Mode mode = mode_;
    if (mode == Mode::Unnamed) {
        if (!flushToDisk(file_.get())) {
            const std::string reason = errnoText();
            discard();
            return {ErrorCode::WriteFailed, "writing failed: " + reason, path_};
        }
        Status linked = linkOver(file_.get(), target_);
        discard();
        return linked.ok() ? linked : Status(linked.code(), linked.message(), path_);
    }
    const bool flushed = std::fflush(file_.get()) == 0;
    const std::string reason = flushed ? std::string() : errnoText();
    const bool closed = std::fclose(file_.release()) == 0;
    if (!flushed || !closed) {
        discard();
        return {ErrorCode::WriteFailed,
                "writing failed: " + (reason.empty() ? errnoText() : reason), path_};
    }
    if (mode == Mode::Direct) {
        mode_ = Mode::Closed;
        return Status::Ok();
    }
    Status committed = reserved_.commit();
    mode_ = Mode::Closed;
    return committed.ok() ? committed : Status(committed.code(), committed.message(), path_);
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
