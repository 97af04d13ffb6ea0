// SPDX-License-Identifier: MIT
// Files are never written in place: a temporary file in the same folder is
// written, flushed to disk and renamed over the target, so a crash or a full
// disk never leaves a torn file and never destroys the previous one. The
// temporary file has no name until it is complete where the system allows
// (a killed writer leaves nothing), and temporary files of killed writers of
// the same target are removed by the next write. A symbolic link is followed
// and the file it names replaced; a device or a pipe is written as it is.
#pragma once

#include "engine/ByteSink.h"
#include "engine/Status.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace kolvane {

class BackgroundSync;

// A temporary file beside a target, for writers that cannot stream through
// AtomicFileWriter (SQLite writes a database by its path): reserve() creates
// it empty under a name no one else has, the caller fills it at path(), and
// commit() flushes it to disk and renames it over the target. Not committed,
// it is removed when the object goes.
class AtomicPathWriter {
public:
    AtomicPathWriter() = default;
    ~AtomicPathWriter() { discard(); }
    AtomicPathWriter(const AtomicPathWriter&) = delete;
    AtomicPathWriter& operator=(const AtomicPathWriter&) = delete;

    Status reserve(const std::string& target);
    // The temporary file; empty when none is reserved.
    const std::string& path() const { return temporary_; }
    Status commit();
    void discard(); // removes the temporary file

private:
    std::string target_;
    std::string temporary_;
};

class AtomicFileWriter {
public:
    AtomicFileWriter();
    ~AtomicFileWriter(); // an uncommitted temporary file is removed
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    Status open(const std::string& path);
    Status write(std::string_view bytes);
    // Flushes, closes and renames the temporary file over the target.
    Status commit();

    // The named temporary file; empty when the file has no name yet or is
    // written directly.
    const std::string& temporaryPath() const { return reserved_.path(); }

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    enum class Mode { Closed, Unnamed, Named, Direct };
    void discard();
    void requestBackgroundSync();

    std::string path_;   // as the caller named it, for messages
    std::string target_; // the file that is replaced
    Mode mode_ = Mode::Closed;
    AtomicPathWriter reserved_;
    std::unique_ptr<std::FILE, Closer> file_;
    std::uint64_t written_ = 0;  // bytes written so far
    std::uint64_t handedOn_ = 0; // bytes the disk was asked to take already
    std::uint64_t syncedTo_ = 0; // bytes a background flush was asked for
    std::unique_ptr<BackgroundSync> sync_;
};

// Streams into an atomic file; the caller commits the file when all is written.
class AtomicFileSink final : public ByteSink {
public:
    explicit AtomicFileSink(AtomicFileWriter& file) : file_(file) {}
    Status write(std::string_view bytes) override { return file_.write(bytes); }

private:
    AtomicFileWriter& file_;
};

Status WriteFileAtomically(const std::string& path, std::string_view bytes);

// Reads a whole file; a file larger than `maxBytes` is refused.
Status ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes);

} // namespace kolvane
