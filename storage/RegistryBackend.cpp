// SPDX-License-Identifier: MIT
// Root key names and where this user's settings store lives.
#include "storage/RegistryBackend.h"

#include "storage/FileRegistry.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace kolvane {

bool RegistryBackend::updateValue(RootKey root, std::string_view keyPath,
                                  std::string_view valueName, const ValueUpdate& update) {
    // One process, one thread: nothing can come between the read and the write.
    const std::optional<std::string> changed = update(readValue(root, keyPath, valueName));
    return !changed || writeValue(root, keyPath, valueName, *changed);
}

namespace {

std::string environmentText(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

// $HOME, or the account's home folder when HOME is not set.
std::string homeFolder() {
    if (std::string home = environmentText("HOME"); !home.empty()) {
        return home;
    }
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr) {
        return found->pw_dir;
    }
    return ".";
}

// XDG_CONFIG_HOME counts only when it is an absolute path, as the base directory rules say.
std::filesystem::path configFolder() {
    const std::filesystem::path configured = environmentText("XDG_CONFIG_HOME");
    if (configured.is_absolute()) {
        return configured;
    }
    return std::filesystem::path(homeFolder()) / ".config";
}

} // namespace

std::string_view RootKeyName(RootKey root) {
    switch (root) {
    case RootKey::ClassesRoot:
        return "HKEY_CLASSES_ROOT";
    case RootKey::CurrentUser:
        return "HKEY_CURRENT_USER";
    case RootKey::LocalMachine:
        return "HKEY_LOCAL_MACHINE";
    case RootKey::Users:
        return "HKEY_USERS";
    }
    return "HKEY_USERS";
}

std::string DefaultRegistryPath() {
    if (std::string chosen = environmentText("KOLVANE_REGISTRY"); !chosen.empty()) {
        return chosen;
    }
    return (configFolder() / "kolvane" / "registry.reg").string();
}

std::unique_ptr<RegistryBackend> OpenUserRegistry() {
    return std::make_unique<FileRegistry>(DefaultRegistryPath());
}

} // namespace kolvane
