// SPDX-License-Identifier: MIT
// The settings store as one file in the registry editor's text format (REGEDIT4).
#pragma once

#include "storage/MemoryRegistry.h"
#include "storage/RegistryBackend.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kolvane {

// The store's text: nothing when it cannot be understood. Accepts CR LF and LF, blank lines,
// ";" comments, lines continued with a final backslash, quoted values and hex(1) values. A
// value of any other type makes the whole text unreadable, so nothing is dropped silently.
std::optional<MemoryRegistry> ParseRegistryText(std::string_view text);
// The text for a store: CR LF line ends, keys and values in order of creation; values holding
// CR, LF or NUL are written as hex(1) bytes, every other byte as it is.
std::string FormatRegistryText(const MemoryRegistry& store);

// Every call reads the whole file (it is small), so separate processes see each other's
// writes. A write holds an exclusive lock on "<store>.lock" while it reads, changes and
// atomically replaces the file, so two writers never lose each other's values. A file that
// cannot be understood reads as an empty store and, before the first write, is kept aside as
// "<store>.corrupt-YYYYMMDD-HHMMSS" (reported on standard error) instead of being replaced.
class FileRegistry final : public RegistryBackend {
public:
    explicit FileRegistry(std::string path);

    std::optional<std::string> readValue(RootKey root, std::string_view keyPath,
                                         std::string_view valueName) override;
    bool writeValue(RootKey root, std::string_view keyPath, std::string_view valueName,
                    std::string_view value) override;
    bool keyExists(RootKey root, std::string_view keyPath) override;
    bool createKey(RootKey root, std::string_view keyPath) override;
    bool updateValue(RootKey root, std::string_view keyPath, std::string_view valueName,
                     const ValueUpdate& update) override;
    std::string location() const override { return path_; }
    std::optional<std::string> problem() const override;

    const std::string& path() const { return path_; }

private:
    MemoryRegistry read() const;
    // Applies a change to the stored contents under the lock; false when it fails or the
    // store cannot be written.
    bool change(const std::function<bool(MemoryRegistry&)>& apply);

    std::string path_;
};

} // namespace kolvane
