// SPDX-License-Identifier: MIT
#include "cli/SourceInput.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

#if !defined(_WIN32)
#include <stdlib.h>
#include <unistd.h>
#endif

namespace kolvane::cli {
namespace {

using FilePointer = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

Status copyFailed(const std::string& what) {
    return {ErrorCode::FileUnreadable,
            what + ": " + std::strerror(errno) + "; nothing was converted",
            std::string(kStandardInputName)};
}

// A new file that no one else can open, and its path.
FilePointer createPrivateFile(std::string& path) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
#if defined(_WIN32)
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = (folder / ("kolvane-stdin-" + std::to_string(std::random_device{}()) + ".txt"))
                   .string();
        if (std::FILE* file = std::fopen(path.c_str(), "wbx")) {
            return {file, &std::fclose};
        }
    }
    return {nullptr, &std::fclose};
#else
    std::string name = (folder / "kolvane-stdin-XXXXXX").string();
    const int descriptor = ::mkstemp(name.data()); // mode 0600
    if (descriptor < 0) {
        return {nullptr, &std::fclose};
    }
    path = name;
    FilePointer file(::fdopen(descriptor, "wb"), &std::fclose);
    if (!file) {
        ::close(descriptor);
    }
    return file;
#endif
}

} // namespace

Status TemporaryCopy::Make(std::FILE* in, std::unique_ptr<TemporaryCopy>& copy) {
    std::string path;
    FilePointer file = createPrivateFile(path);
    if (!path.empty()) {
        copy.reset(new TemporaryCopy(path)); // removed from here on, whatever happens
    }
    if (!file) {
        return copyFailed("a temporary file for it cannot be made in " +
                          std::filesystem::temp_directory_path().string());
    }
    char block[65536];
    std::size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, in)) > 0) {
        if (std::fwrite(block, 1, got, file.get()) != got) {
            return copyFailed("it cannot be copied to " + path);
        }
    }
    if (std::ferror(in) != 0) {
        return copyFailed("it cannot be read");
    }
    if (std::fclose(file.release()) != 0) {
        return copyFailed("it cannot be copied to " + path);
    }
    return Status::Ok();
}

TemporaryCopy::~TemporaryCopy() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

Status SourceInput::open(const std::string& given) {
    if (given != kStandardStream) {
        useSetupSource(given);
        return Status::Ok();
    }
    Status copied = TemporaryCopy::Make(stdin, copy_);
    path_ = copy_ ? copy_->path() : std::string();
    return copied;
}

void SourceInput::useSetupSource(const std::string& path) {
    copy_.reset();
    path_ = path;
}

std::string SourceInput::findingsName() const {
    return fromStandardInput() ? std::string(kStandardInputFindingsName) : path_;
}

Status SourceInput::named(Status status) const {
    if (fromStandardInput() && status.path() == path_) {
        return std::move(status).withPath(std::string(kStandardInputName));
    }
    return status;
}

} // namespace kolvane::cli
