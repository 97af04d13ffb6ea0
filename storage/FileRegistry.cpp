// SPDX-License-Identifier: MIT
// The settings store as one file in the registry editor's text format (REGEDIT4).
#include "storage/FileRegistry.h"

#include "storage/AtomicFile.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace kolvane {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kHexPrefix = "hex(1):";
constexpr std::size_t kHexLineWidth = 76;                // as the registry editor wraps them
constexpr std::size_t kMaxStoreBytes = 64 * 1024 * 1024; // far beyond any real store

// ---- Reading the text ----

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Physical lines joined where one ends in a backslash; blank and comment lines left out.
std::vector<std::string> logicalLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string pending;
    bool continuing = false;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!continuing && (line.empty() || line.starts_with(';'))) {
            continue;
        }
        continuing = line.ends_with('\\');
        pending += continuing ? line.substr(0, line.size() - 1) : line;
        if (!continuing) {
            lines.push_back(std::move(pending));
            pending.clear();
        }
    }
    if (continuing) {
        lines.push_back(std::move(pending));
    }
    return lines;
}

// A quoted string at the start of `rest`, which is left just after its closing quote.
// A backslash escapes a backslash or a quote; before any other character it stays as it is,
// which is what a hand-written Windows path needs.
std::optional<std::string> takeQuoted(std::string_view& rest) {
    if (!rest.starts_with('"')) {
        return std::nullopt;
    }
    std::string text;
    for (std::size_t i = 1; i < rest.size(); ++i) {
        const char c = rest[i];
        if (c == '"') {
            rest.remove_prefix(i + 1);
            return text;
        }
        if (c == '\\' && i + 1 < rest.size() && (rest[i + 1] == '\\' || rest[i + 1] == '"')) {
            ++i;
        }
        text += rest[i];
    }
    return std::nullopt;
}

std::optional<char> hexByte(std::string_view text) {
    text = trimmed(text);
    unsigned byte = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, byte, 16);
    if (text.empty() || text.size() > 2 || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return static_cast<char>(byte);
}

// Comma-separated bytes of a REG_SZ value; its terminating NUL is not part of the value.
std::optional<std::string> hexText(std::string_view list) {
    std::string bytes;
    while (!trimmed(list).empty()) {
        const auto comma = list.find(',');
        const auto byte = hexByte(list.substr(0, comma));
        if (!byte || (comma != std::string_view::npos && trimmed(list.substr(comma + 1)).empty())) {
            return std::nullopt;
        }
        bytes += *byte;
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    }
    if (bytes.ends_with('\0')) {
        bytes.pop_back();
    }
    return bytes;
}

std::optional<std::string> valueData(std::string_view rest) {
    if (rest.starts_with('"')) {
        auto data = takeQuoted(rest);
        return data && trimmed(rest).empty() ? data : std::nullopt;
    }
    if (rest.size() >= kHexPrefix.size() &&
        RegistryNamesEqual(rest.substr(0, kHexPrefix.size()), kHexPrefix)) {
        return hexText(rest.substr(kHexPrefix.size()));
    }
    return std::nullopt;
}

// `"name"="data"`, `@="data"` or either with hex(1) data.
std::optional<MemoryRegistry::Value> valueLine(std::string_view rest) {
    std::optional<std::string> name;
    if (rest.starts_with('@')) {
        name.emplace();
        rest.remove_prefix(1);
    } else {
        name = takeQuoted(rest);
    }
    rest = trimmed(rest);
    if (!name || !rest.starts_with('=')) {
        return std::nullopt;
    }
    auto data = valueData(trimmed(rest.substr(1)));
    if (!data) {
        return std::nullopt;
    }
    return MemoryRegistry::Value{std::move(*name), std::move(*data)};
}

std::optional<RootKey> rootKeyNamed(std::string_view name) {
    for (const RootKey root :
         {RootKey::ClassesRoot, RootKey::CurrentUser, RootKey::LocalMachine, RootKey::Users}) {
        if (RegistryNamesEqual(RootKeyName(root), name)) {
            return root;
        }
    }
    return std::nullopt;
}

struct KeyName {
    RootKey root;
    std::string_view path;
};

// `[ROOT\path]`; the last closing bracket ends it, as key names may hold brackets.
std::optional<KeyName> keyLine(std::string_view line) {
    if (!line.starts_with('[') || !line.ends_with(']')) {
        return std::nullopt;
    }
    const std::string_view inside = line.substr(1, line.size() - 2);
    const auto slash = inside.find('\\');
    const auto root = rootKeyNamed(inside.substr(0, slash));
    if (!root) {
        return std::nullopt;
    }
    return KeyName{*root, slash == std::string_view::npos ? "" : inside.substr(slash + 1)};
}

// ---- Writing the text ----

std::string quotedText(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') {
            out += '\\';
        }
        out += c;
    }
    return out + '"';
}

std::string hexData(std::string_view data, std::size_t startColumn) {
    constexpr std::string_view digits = "0123456789abcdef";
    std::string out(kHexPrefix);
    std::size_t column = startColumn + out.size();
    const std::string bytes = std::string(data) + '\0';
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out += digits[byte >> 4];
        out += digits[byte & 0x0F];
        column += 2;
        if (i + 1 < bytes.size()) {
            out += ',';
            ++column;
            if (column >= kHexLineWidth) {
                out += "\\\r\n  ";
                column = 2;
            }
        }
    }
    return out;
}

std::string formattedValue(const MemoryRegistry::Value& value) {
    std::string line = value.name.empty() ? "@" : quotedText(value.name);
    line += '=';
    const bool needsHex =
        value.data.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos;
    return line + (needsHex ? hexData(value.data, line.size()) : quotedText(value.data));
}

// ---- The file ----

// An exclusive advisory lock, held until destruction. The store itself is replaced by
// rename, so the lock lives in a file of its own beside it.
class StoreLock {
public:
    explicit StoreLock(const std::string& path)
        : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
        while (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) {
            if (errno != EINTR) {
                release();
            }
        }
    }
    ~StoreLock() { release(); }
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

    bool held() const { return fd_ >= 0; }

private:
    void release() {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    int fd_;
};

enum class StoreState { Missing, Understood, Corrupt, Unreadable };

struct StoredContents {
    StoreState state = StoreState::Missing;
    MemoryRegistry store;
    std::string bytes;
    std::string reason; // why it could not be used
};

StoredContents readStore(const std::string& path) {
    StoredContents contents;
    const Status status = ReadWholeFile(path, contents.bytes, kMaxStoreBytes);
    if (status.code() == ErrorCode::FileNotFound) {
        return contents;
    }
    if (!status.ok()) {
        contents.state = status.code() == ErrorCode::BadFileFormat ? StoreState::Corrupt
                                                                   : StoreState::Unreadable;
        contents.reason = status.message();
        return contents;
    }
    auto parsed = ParseRegistryText(contents.bytes);
    contents.state = parsed ? StoreState::Understood : StoreState::Corrupt;
    if (!parsed) {
        contents.reason = "it is not a settings file that can be understood";
    }
    if (parsed) {
        contents.store = std::move(*parsed);
    }
    return contents;
}

std::string timestampNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    std::array<char, 32> text{};
    std::strftime(text.data(), text.size(), "%Y%m%d-%H%M%S", &local);
    return text.data();
}

// Moves a store that cannot be understood out of the way (the caller holds the lock, so no
// other writer picks the same name).
bool keepAside(const std::string& path) {
    const std::string base = path + ".corrupt-" + timestampNow();
    std::string aside = base;
    std::error_code ec;
    for (int counter = 2; std::filesystem::exists(aside, ec); ++counter) {
        aside = base + "-" + std::to_string(counter);
    }
    std::filesystem::rename(path, aside, ec);
    if (ec) {
        return false;
    }
    std::cerr << "The settings store \"" << path << "\" could not be understood; it was kept as \""
              << aside << "\" and a new store was started.\n";
    return true;
}

bool createFolderOf(const std::string& path) {
    const auto folder = std::filesystem::path(path).parent_path();
    std::error_code ec;
    return folder.empty() || std::filesystem::create_directories(folder, ec) || !ec;
}

} // namespace

std::optional<MemoryRegistry> ParseRegistryText(std::string_view text) {
    const std::vector<std::string> lines = logicalLines(text);
    MemoryRegistry store;
    if (lines.empty()) {
        return store; // an empty file is an empty store
    }
    if (lines.front() != kHeader) {
        return std::nullopt;
    }
    std::optional<KeyName> key;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].starts_with('[')) {
            key = keyLine(lines[i]);
            if (!key || !store.createKey(key->root, key->path)) {
                return std::nullopt;
            }
            continue;
        }
        const auto value = valueLine(lines[i]);
        if (!key || !value || !store.writeValue(key->root, key->path, value->name, value->data)) {
            return std::nullopt;
        }
    }
    return store;
}

std::string FormatRegistryText(const MemoryRegistry& store) {
    std::string text = std::string(kHeader) + std::string(kLineEnd) + std::string(kLineEnd);
    for (const MemoryRegistry::Key& key : store.keys()) {
        text += "[" + std::string(RootKeyName(key.root));
        text += key.path.empty() ? "" : "\\" + key.path;
        text += "]" + std::string(kLineEnd);
        for (const MemoryRegistry::Value& value : key.values) {
            text += formattedValue(value) + std::string(kLineEnd);
        }
        text += kLineEnd;
    }
    return text;
}

FileRegistry::FileRegistry(std::string path) : path_(std::move(path)) {}

std::optional<std::string> FileRegistry::readValue(RootKey root, std::string_view keyPath,
                                                   std::string_view valueName) {
    return read().readValue(root, keyPath, valueName);
}

bool FileRegistry::writeValue(RootKey root, std::string_view keyPath, std::string_view valueName,
                              std::string_view value) {
    return change(
        [&](MemoryRegistry& store) { return store.writeValue(root, keyPath, valueName, value); });
}

bool FileRegistry::keyExists(RootKey root, std::string_view keyPath) {
    return read().keyExists(root, keyPath);
}

bool FileRegistry::createKey(RootKey root, std::string_view keyPath) {
    return change([&](MemoryRegistry& store) { return store.createKey(root, keyPath); });
}

bool FileRegistry::updateValue(RootKey root, std::string_view keyPath, std::string_view valueName,
                               const ValueUpdate& update) {
    return change([&](MemoryRegistry& store) {
        const std::optional<std::string> changed =
            update(store.readValue(root, keyPath, valueName));
        return !changed || store.writeValue(root, keyPath, valueName, *changed);
    });
}

std::optional<std::string> FileRegistry::problem() const {
    const StoredContents contents = readStore(path_);
    if (contents.reason.empty()) {
        return std::nullopt;
    }
    return path_ + ": the settings store cannot be used (" + contents.reason +
           "); the settings are taken as empty" +
           (contents.state == StoreState::Corrupt ? ", and the file is kept aside at the next save"
                                                  : "");
}

MemoryRegistry FileRegistry::read() const {
    return readStore(path_).store;
}

bool FileRegistry::change(const std::function<bool(MemoryRegistry&)>& apply) {
    if (!createFolderOf(path_)) {
        return false;
    }
    const StoreLock lock(path_ + ".lock");
    if (!lock.held()) {
        return false;
    }
    StoredContents contents = readStore(path_);
    if (contents.state == StoreState::Unreadable || !apply(contents.store)) {
        return false;
    }
    const std::string text = FormatRegistryText(contents.store);
    if (contents.state == StoreState::Understood && text == contents.bytes) {
        return true; // nothing changed: spare the disk
    }
    if (contents.state == StoreState::Corrupt && !keepAside(path_)) {
        return false;
    }
    return WriteFileAtomically(path_, text).ok();
}

} // namespace kolvane
