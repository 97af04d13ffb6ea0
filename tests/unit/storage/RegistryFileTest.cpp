// SPDX-License-Identifier: MIT
// The file store: its exact text, hand-written files, damaged stores, unwritable folders and
// two processes writing at once.
#include "storage/AutomaticImportList.h"
#include "storage/FileRegistry.h"
#include "tests/support/Process.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <random>
#include <unistd.h>

namespace kolvane {
namespace {

constexpr RootKey kUser = RootKey::CurrentUser;
constexpr std::string_view kSettings = "software\\Tremholt\\Kolvane\\Settings";

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// "registry.reg.corrupt-YYYYMMDD-HHMMSS", optionally followed by "-<counter>".
bool isAsideName(std::string name) {
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; }, 'd');
    const std::string expected = "registry.reg.corrupt-dddddddd-dddddd";
    return name == expected || name.starts_with(expected + "-");
}

std::vector<std::string> asideCopies(const testing::TempFolder& folder) {
    std::vector<std::string> names = folder.entries();
    std::erase_if(
        names, [](const std::string& name) { return !name.starts_with("registry.reg.corrupt-"); });
    return names;
}

TEST(RegistryFile, WritesAStableReadableText) {
    testing::TempFolder folder;
    FileRegistry store(folder.path("registry.reg"));
    ASSERT_TRUE(store.writeValue(kUser, kSettings, "Language", "EN"));
    ASSERT_TRUE(store.writeValue(kUser, kSettings, "Automatizaciones", ",/home/ann/milk.dst"));
    ASSERT_TRUE(store.writeValue(RootKey::ClassesRoot, "hxautoserver.application\\LocalServer32",
                                 "", "/opt/herd/hxautoserver"));
    // The parents keep the spelling of their first writing.
    ASSERT_TRUE(store.writeValue(kUser, "SOFTWARE\\TREMHOLT\\HXInstall\\Settings", "Path",
                                 "C:\\Herd \"X\""));
    ASSERT_TRUE(store.writeValue(kUser, kSettings, "Note", "a\r\nb"));
    ASSERT_TRUE(store.writeValue(kUser, kSettings, "Description",
                                 "Milk recording\r\nThe second line is long enough to wrap"));
    ASSERT_TRUE(store.writeValue(kUser, kSettings, "LANGUAGE", "DE"));

    EXPECT_EQ(
        folder.read("registry.reg"),
        "REGEDIT4\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\software\\Tremholt\\Kolvane\\Settings]\r\n"
        "\"Language\"=\"DE\"\r\n"
        "\"Automatizaciones\"=\",/home/ann/milk.dst\"\r\n"
        "\"Note\"=hex(1):61,0d,0a,62,00\r\n"
        "\"Description\"=hex(1):4d,69,6c,6b,20,72,65,63,6f,72,64,69,6e,67,0d,0a,54,68,65,\\\r\n"
        "  20,73,65,63,6f,6e,64,20,6c,69,6e,65,20,69,73,20,6c,6f,6e,67,20,65,6e,6f,75,\\\r\n"
        "  67,68,20,74,6f,20,77,72,61,70,00\r\n"
        "\r\n"
        "[HKEY_CLASSES_ROOT\\hxautoserver.application\\LocalServer32]\r\n"
        "@=\"/opt/herd/hxautoserver\"\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\software\\Tremholt\\HXInstall\\Settings]\r\n"
        "\"Path\"=\"C:\\\\Herd \\\"X\\\"\"\r\n"
        "\r\n");
}

TEST(RegistryFile, ReadsAHandWrittenFile) {
    testing::TempFolder folder;
    const std::string path =
        folder.write("registry.reg", "REGEDIT4\r\n"
                                     "; written by hand\r\n"
                                     "\r\n"
                                     "[HKEY_CURRENT_USER\\Software\\Tremholt\\Kolvane\\Settings]\n"
                                     "\"Language\" = \"FR\"\r\n"
                                     "\"Escaped\"=\"C:\\\\Herd\\\\HX\"\r\n"
                                     "\"Unescaped\"=\"C:\\Herd\\HX\"\r\n"
                                     "\"Note\"=hex(1):6c,69,6e,65,20,31,0d,0a,\\\r\n"
                                     "  6c,69,6e,65,20,32,00\r\n"
                                     "   ; an indented comment\n"
                                     "@=\"default\"\n"
                                     "\n"
                                     "[hkey_classes_root\\hxautoserver.application]\r\n"
                                     "\"Version\"=\"2\"");
    FileRegistry store(path);
    EXPECT_EQ(store.readValue(kUser, kSettings, "language"), "FR");
    EXPECT_EQ(store.readValue(kUser, kSettings, "Escaped"), "C:\\Herd\\HX");
    EXPECT_EQ(store.readValue(kUser, kSettings, "Unescaped"), "C:\\Herd\\HX");
    EXPECT_EQ(store.readValue(kUser, kSettings, "Note"), "line 1\r\nline 2");
    EXPECT_EQ(store.readValue(kUser, kSettings, ""), "default");
    EXPECT_EQ(store.readValue(RootKey::ClassesRoot, "HXAUTOSERVER.APPLICATION", "Version"), "2");
}

TEST(RegistryFile, TextThatCannotBeUnderstoodReadsAsAnEmptyStore) {
    const std::vector<std::string> damaged = {
        "REGEDIT5\r\n\r\n[HKEY_CURRENT_USER\\k]\r\n\"v\"=\"1\"\r\n",
        "[HKEY_CURRENT_USER\\k]\r\n\"v\"=\"1\"\r\n",
        "REGEDIT4\r\n\"v\"=\"1\"\r\n[HKEY_CURRENT_USER\\k]\r\n",
        "REGEDIT4\r\n[HKEY_NOWHERE\\k]\r\n\"v\"=\"1\"\r\n",
        "REGEDIT4\r\n[-HKEY_CURRENT_USER\\k]\r\n\"v\"=\"1\"\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\k\r\n\"v\"=\"1\"\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\k]\r\n\"v\"=\"1\"\r\n\"n\"=dword:00000001\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\k]\r\n\"v\"=\"1\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\k]\r\n\"v\"=\"1\" trailing\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\k]\r\n\"v\"=hex(1):31,6g,00\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\k]\r\n\"v\"=hex(1):31,,00\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\k]\r\n\"v\"=hex(1):131,00\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\k]\r\nv=\"1\"\r\n",
        std::string("\x00\x01\x02REGEDIT4", 11),
    };
    testing::TempFolder folder;
    for (std::size_t i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE(damaged[i]);
        EXPECT_FALSE(ParseRegistryText(damaged[i]).has_value());
        FileRegistry store(folder.write("registry.reg", damaged[i]));
        EXPECT_EQ(store.readValue(kUser, "k", "v"), std::nullopt);
        EXPECT_FALSE(store.keyExists(kUser, "k"));
    }
    // Reading never touches the file.
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"registry.reg"});
    // An empty file is merely an empty store.
    ASSERT_TRUE(ParseRegistryText("").has_value());
    EXPECT_TRUE(ParseRegistryText("\r\n").value().keys().empty());
}

TEST(RegistryFile, DamagedStoreIsKeptAsideAndReportedOnce) {
    testing::TempFolder folder;
    const std::string damaged = "REGEDIT4\r\n[HKEY_CURRENT_USER\\k]\r\n\"v\"=\"torn";
    const std::string path = folder.write("registry.reg", damaged);

    const auto result = testing::RunProgram(REGISTRY_TEST_WRITER, {path, "after", "3"});
    ASSERT_EQ(result.exitCode, 0) << result.err;

    const auto aside = asideCopies(folder);
    ASSERT_EQ(aside.size(), 1U);
    EXPECT_TRUE(isAsideName(aside[0])) << aside[0];
    EXPECT_EQ(folder.read(aside[0]), damaged);
    EXPECT_EQ(occurrences(result.err, "\n"), 1U) << result.err;
    EXPECT_NE(result.err.find(path), std::string::npos) << result.err;
    EXPECT_NE(result.err.find(folder.path(aside[0])), std::string::npos) << result.err;
    FileRegistry store(path);
    EXPECT_EQ(store.readValue(kUser, kSettings, "after-2"), "value of after-2");

    // A second damaged store in the same second gets a name of its own.
    folder.write("registry.reg", damaged);
    ASSERT_TRUE(store.writeValue(kUser, kSettings, "again", "1"));
    const auto both = asideCopies(folder);
    ASSERT_EQ(both.size(), 2U);
    EXPECT_EQ(folder.read(both[1]), damaged);
    EXPECT_EQ(store.readValue(kUser, kSettings, "again"), "1");
}

TEST(RegistryFile, FolderThatCannotBeCreatedFailsQuietly) {
    testing::TempFolder folder;
    folder.write("plain-file", "x");
    FileRegistry store(folder.path("plain-file/kolvane/registry.reg"));
    EXPECT_FALSE(store.writeValue(kUser, kSettings, "Language", "EN"));
    EXPECT_FALSE(store.createKey(kUser, kSettings));
    EXPECT_EQ(store.readValue(kUser, kSettings, "Language"), std::nullopt);
}

// Gives a folder back its write permission even when a test fails half-way.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::filesystem::path folder) : folder_(std::move(folder)) {
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
    }
    ~ReadOnlyFolder() {
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

private:
    std::filesystem::path folder_;
};

TEST(RegistryFile, ReadOnlyFolderKeepsTheOldStore) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders";
    }
    testing::TempFolder folder;
    FileRegistry store(folder.path("cfg/registry.reg"));
    ASSERT_TRUE(store.writeValue(kUser, kSettings, "Language", "EN"));
    const std::string before = folder.read("cfg/registry.reg");
    {
        const ReadOnlyFolder readOnly(folder.root() / "cfg");
        EXPECT_FALSE(store.writeValue(kUser, kSettings, "Language", "DE"));
        EXPECT_FALSE(store.writeValue(kUser, kSettings, "MainLeft", "500"));
        EXPECT_EQ(store.readValue(kUser, kSettings, "Language"), "EN");
    }
    EXPECT_EQ(folder.read("cfg/registry.reg"), before);
}

TEST(RegistryFile, TwoProcessesWritingAtOnceLoseNothing) {
    testing::TempFolder folder;
    const std::string path = folder.path("shared/registry.reg");
    const auto start = [&](const std::string& prefix) {
        return std::async(std::launch::async, [path, prefix] {
            return testing::RunProgram(REGISTRY_TEST_WRITER, {path, prefix, "200"});
        });
    };
    auto converter = start("converter");
    auto runner = start("runner");
    const auto first = converter.get();
    const auto second = runner.get();
    ASSERT_EQ(first.exitCode, 0) << first.err;
    ASSERT_EQ(second.exitCode, 0) << second.err;

    const auto stored = ParseRegistryText(folder.read("shared/registry.reg"));
    ASSERT_TRUE(stored.has_value());
    ASSERT_EQ(stored->keys().size(), 1U);
    EXPECT_EQ(stored->keys()[0].values.size(), 400U);
    FileRegistry store(path);
    for (const char* prefix : {"converter", "runner"}) {
        for (int n = 0; n < 200; ++n) {
            const std::string name = prefix + ("-" + std::to_string(n));
            EXPECT_EQ(store.readValue(kUser, kSettings, name), "value of " + name);
        }
    }
}

// A writer killed at any moment leaves the store readable, with every value
// it had before, and the next write leaves no temporary file behind.
TEST(RegistryFile, AKilledWriterNeverTearsTheStore) {
    testing::TempFolder folder;
    const std::string path = folder.path("registry.reg");
    ASSERT_EQ(testing::RunProgram(REGISTRY_TEST_WRITER, {path, "kept", "50"}).exitCode, 0);
    std::mt19937 random(1209);
    int killed = 0;
    for (int kill = 0; kill < 30; ++kill) {
        const auto run =
            testing::RunAndKill(REGISTRY_TEST_WRITER, {path, "run" + std::to_string(kill), "300"},
                                std::chrono::milliseconds(random() % 40));
        killed += run.killed ? 1 : 0;
        const auto stored = ParseRegistryText(folder.read("registry.reg"));
        ASSERT_TRUE(stored.has_value()) << "kill " << kill;
        FileRegistry store(path);
        ASSERT_EQ(store.readValue(kUser, kSettings, "kept-49"), "value of kept-49");
    }
    EXPECT_GT(killed, 0);
    ASSERT_TRUE(FileRegistry(path).writeValue(kUser, kSettings, "after", "1"));
    for (const std::string& name : folder.entries()) {
        EXPECT_EQ(name.find(".tmp-"), std::string::npos) << name;
    }
}

// Two programs registering and removing automatic imports at the same moment:
// every change is one step under the store's lock, so none is lost.
TEST(RegistryFile, TwoProcessesChangingTheImportListLoseNothing) {
    testing::TempFolder folder;
    const std::string path = folder.path("shared/registry.reg");
    const auto start = [&](const std::string& prefix, const char* mode) {
        return std::async(std::launch::async, [path, prefix, mode] {
            return testing::RunProgram(REGISTRY_TEST_WRITER, {path, prefix, "60", mode});
        });
    };
    ASSERT_EQ(testing::RunProgram(REGISTRY_TEST_WRITER, {path, "old", "60", "register"}).exitCode,
              0);
    auto wizard = start("wizard", "register");
    auto other = start("other", "register");
    auto removal = start("old", "unregister");
    for (auto* run : {&wizard, &other, &removal}) {
        const auto result = run->get();
        ASSERT_EQ(result.exitCode, 0) << result.err;
    }
    FileRegistry store(path);
    WinReg settings(store);
    AutomationList list;
    Leer_Automatizaciones(settings, list);
    EXPECT_EQ(list.size(), 120U);
    for (const char* prefix : {"wizard", "other"}) {
        for (int n = 0; n < 60; ++n) {
            const std::string entry = "/imports/" + (prefix + ("-" + std::to_string(n))) + ".dst";
            EXPECT_EQ(std::count(list.begin(), list.end(), entry), 1) << entry;
        }
    }
    EXPECT_EQ(
        std::count_if(list.begin(), list.end(),
                      [](const std::string& entry) { return entry.starts_with("/imports/old"); }),
        0);
}

// Sets or clears an environment variable for one test and restores it afterwards.
class ScopedVariable {
public:
    explicit ScopedVariable(std::string name) : name_(std::move(name)) {
        if (const char* value = std::getenv(name_.c_str())) {
            saved_ = value;
        }
    }
    ~ScopedVariable() { saved_ ? set(*saved_) : unset(); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

    void set(const std::string& value) const { ::setenv(name_.c_str(), value.c_str(), 1); }
    void unset() const { ::unsetenv(name_.c_str()); }

private:
    std::string name_;
    std::optional<std::string> saved_;
};

TEST(RegistryFile, DefaultPathFollowsTheEnvironment) {
    const ScopedVariable registry("KOLVANE_REGISTRY");
    const ScopedVariable config("XDG_CONFIG_HOME");
    const ScopedVariable home("HOME");
    registry.set("/srv/demo/registry.reg");
    EXPECT_EQ(DefaultRegistryPath(), "/srv/demo/registry.reg");
    registry.set("");
    config.set("/home/ann/conf");
    EXPECT_EQ(DefaultRegistryPath(), "/home/ann/conf/kolvane/registry.reg");
    config.unset();
    home.set("/home/ann");
    EXPECT_EQ(DefaultRegistryPath(), "/home/ann/.config/kolvane/registry.reg");

    testing::TempFolder folder;
    registry.set(folder.path("own/registry.reg"));
    ASSERT_TRUE(OpenUserRegistry()->writeValue(kUser, kSettings, "Language", "SP"));
    EXPECT_EQ(FileRegistry(folder.path("own/registry.reg")).readValue(kUser, kSettings, "Language"),
              "SP");
}

} // namespace
} // namespace kolvane
