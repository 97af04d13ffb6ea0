// SPDX-License-Identifier: MIT
// The settings store behind the registry layer. On Windows it is the registry
// itself; on Linux a file in the registry editor's text format (REGEDIT4).
// Key paths are separated by backslashes; key and value names compare without
// regard to letter case; values are REG_SZ text in the ANSI code page.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kolvane {

enum class RootKey { ClassesRoot, CurrentUser, LocalMachine, Users };

// The name a .reg file gives a root key ("HKEY_CURRENT_USER" and so on).
std::string_view RootKeyName(RootKey root);

class RegistryBackend {
public:
    virtual ~RegistryBackend() = default;

    // The value, or nothing when the key or the value does not exist. The empty
    // value name is the key's default value.
    virtual std::optional<std::string> readValue(RootKey root, std::string_view keyPath,
                                                 std::string_view valueName) = 0;
    // Stores a value, creating the key and every missing parent. False when the
    // store cannot be written; the old value, if any, stays then.
    virtual bool writeValue(RootKey root, std::string_view keyPath, std::string_view valueName,
                            std::string_view value) = 0;
    virtual bool keyExists(RootKey root, std::string_view keyPath) = 0;
    // Creates the key and every missing parent (nothing happens when it exists).
    virtual bool createKey(RootKey root, std::string_view keyPath) = 0;

    // Given the value as stored now (nothing when missing), gives the value to
    // store, or nothing to leave it as it is.
    using ValueUpdate =
        std::function<std::optional<std::string>(const std::optional<std::string>& current)>;
    // Reads, changes and stores one value as one step: a store shared by
    // processes holds its lock across the three, so no other writer's change
    // falls between them. False when the store cannot be read or written.
    virtual bool updateValue(RootKey root, std::string_view keyPath, std::string_view valueName,
                             const ValueUpdate& update);

    // Where the store lives, for messages ("" when it has no place of its own).
    virtual std::string location() const { return {}; }
    // What keeps the store from being read (an unreadable or damaged file),
    // naming it; nothing when it can be used.
    virtual std::optional<std::string> problem() const { return std::nullopt; }
};

// The store of this user: the file that KOLVANE_REGISTRY names, or else
// "$XDG_CONFIG_HOME/kolvane/registry.reg" (~/.config when XDG_CONFIG_HOME is unset).
std::string DefaultRegistryPath();
std::unique_ptr<RegistryBackend> OpenUserRegistry();

} // namespace kolvane
