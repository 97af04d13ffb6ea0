// SPDX-License-Identifier: MIT
// A settings store held in memory: the model behind the file store and a stand-in for tests.
#pragma once

#include "storage/RegistryBackend.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kolvane {

// Keys and values keep the order and spelling of their first writing, so a store written out
// from this model changes little from one save to the next. A key's parents exist implicitly
// once the key exists; only keys created or written on their own are listed.
// Names that a store file cannot hold (holding CR, LF or NUL) are refused. Not thread-safe.
class MemoryRegistry final : public RegistryBackend {
public:
    struct Value {
        std::string name;
        std::string data;
    };
    struct Key {
        RootKey root = RootKey::CurrentUser;
        std::string path; // "" is the root key itself
        std::vector<Value> values;
    };

    std::optional<std::string> readValue(RootKey root, std::string_view keyPath,
                                         std::string_view valueName) override;
    bool writeValue(RootKey root, std::string_view keyPath, std::string_view valueName,
                    std::string_view value) override;
    bool keyExists(RootKey root, std::string_view keyPath) override;
    bool createKey(RootKey root, std::string_view keyPath) override;

    // The keys in order of creation.
    const std::vector<Key>& keys() const { return keys_; }

private:
    std::optional<std::size_t> indexOfKey(RootKey root, std::string_view path) const;
    const Key* findKey(RootKey root, std::string_view path) const;
    Key& obtainKey(RootKey root, std::string_view path);
    std::string spellingOfExistingParents(RootKey root, std::string_view path) const;

    std::vector<Key> keys_;
};

// ASCII letters compare without regard to case, as the registry compares names.
bool RegistryNamesEqual(std::string_view a, std::string_view b);

} // namespace kolvane
