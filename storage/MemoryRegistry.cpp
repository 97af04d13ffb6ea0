// SPDX-License-Identifier: MIT
// A settings store held in memory.
#include "storage/MemoryRegistry.h"

#include <algorithm>

namespace kolvane {
namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool holdsLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// The path without trailing backslashes, or nothing when it cannot name a key (an empty
// part, a leading backslash, or a byte a store file cannot hold).
std::optional<std::string_view> normalizedKeyPath(std::string_view path) {
    if (path.starts_with('\\') || holdsLineBreakOrNul(path)) {
        return std::nullopt;
    }
    while (path.ends_with('\\')) {
        path.remove_suffix(1);
    }
    if (path.find("\\\\") != std::string_view::npos) {
        return std::nullopt;
    }
    return path;
}

std::vector<std::string_view> pathParts(std::string_view path) {
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        const auto slash = path.find('\\');
        parts.push_back(path.substr(0, slash));
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    }
    return parts;
}

std::size_t commonLeadingParts(const std::vector<std::string_view>& a,
                               const std::vector<std::string_view>& b) {
    std::size_t count = 0;
    while (count < a.size() && count < b.size() && RegistryNamesEqual(a[count], b[count])) {
        ++count;
    }
    return count;
}

// True when `path` is `key` itself or one of its parents.
bool isKeyOrParent(std::string_view key, std::string_view path) {
    if (key.size() < path.size() || !RegistryNamesEqual(key.substr(0, path.size()), path)) {
        return false;
    }
    return key.size() == path.size() || path.empty() || key[path.size()] == '\\';
}

} // namespace

bool RegistryNamesEqual(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

std::optional<std::string> MemoryRegistry::readValue(RootKey root, std::string_view keyPath,
                                                     std::string_view valueName) {
    const auto path = normalizedKeyPath(keyPath);
    const Key* key = path ? findKey(root, *path) : nullptr;
    if (key == nullptr) {
        return std::nullopt;
    }
    const auto value = std::find_if(key->values.begin(), key->values.end(), [&](const Value& v) {
        return RegistryNamesEqual(v.name, valueName);
    });
    if (value == key->values.end()) {
        return std::nullopt;
    }
    return value->data;
}

bool MemoryRegistry::writeValue(RootKey root, std::string_view keyPath, std::string_view valueName,
                                std::string_view value) {
    const auto path = normalizedKeyPath(keyPath);
    if (!path || holdsLineBreakOrNul(valueName)) {
        return false;
    }
    auto& values = obtainKey(root, *path).values;
    const auto existing = std::find_if(values.begin(), values.end(), [&](const Value& v) {
        return RegistryNamesEqual(v.name, valueName);
    });
    if (existing != values.end()) {
        existing->data = std::string(value);
    } else {
        values.push_back({std::string(valueName), std::string(value)});
    }
    return true;
}

bool MemoryRegistry::keyExists(RootKey root, std::string_view keyPath) {
    const auto path = normalizedKeyPath(keyPath);
    if (!path) {
        return false;
    }
    return path->empty() || std::any_of(keys_.begin(), keys_.end(), [&](const Key& key) {
               return key.root == root && isKeyOrParent(key.path, *path);
           });
}

bool MemoryRegistry::createKey(RootKey root, std::string_view keyPath) {
    const auto path = normalizedKeyPath(keyPath);
    if (!path) {
        return false;
    }
    if (!keyExists(root, *path)) {
        obtainKey(root, *path);
    }
    return true;
}

std::optional<std::size_t> MemoryRegistry::indexOfKey(RootKey root, std::string_view path) const {
    const auto key = std::find_if(keys_.begin(), keys_.end(), [&](const Key& k) {
        return k.root == root && RegistryNamesEqual(k.path, path);
    });
    if (key == keys_.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(key - keys_.begin());
}

const MemoryRegistry::Key* MemoryRegistry::findKey(RootKey root, std::string_view path) const {
    const auto index = indexOfKey(root, path);
    return index ? &keys_[*index] : nullptr;
}

MemoryRegistry::Key& MemoryRegistry::obtainKey(RootKey root, std::string_view path) {
    if (const auto index = indexOfKey(root, path)) {
        return keys_[*index];
    }
    keys_.push_back({root, spellingOfExistingParents(root, path), {}});
    return keys_.back();
}

// A new key takes over the spelling of the parents that already exist, as the registry
// keeps the name a key was created with.
std::string MemoryRegistry::spellingOfExistingParents(RootKey root, std::string_view path) const {
    const auto parts = pathParts(path);
    std::size_t bestCount = 0;
    std::vector<std::string_view> bestSpelling;
    for (const Key& key : keys_) {
        auto keyParts = pathParts(key.path);
        const std::size_t count = key.root == root ? commonLeadingParts(parts, keyParts) : 0;
        if (count > bestCount) {
            bestCount = count;
            bestSpelling = std::move(keyParts);
        }
    }
    std::string spelled;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        spelled += i == 0 ? "" : "\\";
        spelled += i < bestCount ? bestSpelling[i] : parts[i];
    }
    return spelled;
}

} // namespace kolvane
