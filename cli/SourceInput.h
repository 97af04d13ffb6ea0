// SPDX-License-Identifier: MIT
// --source of convert, check and run: a file, or "-" for standard input.
// The engine reads a source more than once (its start for the encoding, its
// lines to count them, then its rows), so standard input is first copied to a
// private temporary file, removed again when the command ends.
#pragma once

#include "engine/Status.h"

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace kolvane::cli {

inline constexpr std::string_view kStandardStream = "-";
// How findings lines name standard input: "stdin:17: column 3 (URE): ...".
inline constexpr std::string_view kStandardInputFindingsName = "stdin";
// How other messages name it: "standard input: No lines to be imported."
inline constexpr std::string_view kStandardInputName = "standard input";

// A file only this user can read, removed when the object goes.
class TemporaryCopy {
public:
    // Copies `in` to the end into a new file in the temporary folder.
    static Status Make(std::FILE* in, std::unique_ptr<TemporaryCopy>& copy);
    ~TemporaryCopy();
    TemporaryCopy(const TemporaryCopy&) = delete;
    TemporaryCopy& operator=(const TemporaryCopy&) = delete;

    const std::string& path() const { return path_; }

private:
    explicit TemporaryCopy(std::string path) : path_(std::move(path)) {}
    std::string path_;
};

class SourceInput {
public:
    // The source named on the command line: for "-", standard input is copied
    // now; a failure to do so names standard input.
    Status open(const std::string& given);
    // The setup's own source, when --source was not given.
    void useSetupSource(const std::string& path);

    // What the engine reads.
    const std::string& path() const { return path_; }
    // How findings lines name the source.
    std::string findingsName() const;
    bool fromStandardInput() const { return copy_ != nullptr; }
    // `status` with the temporary copy named as standard input.
    Status named(Status status) const;

private:
    std::string path_;
    std::unique_ptr<TemporaryCopy> copy_;
};

} // namespace kolvane::cli
