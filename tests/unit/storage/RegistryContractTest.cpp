// SPDX-License-Identifier: MIT
// What every settings store backend must do, run against each of them.
#include "storage/FileRegistry.h"
#include "storage/MemoryRegistry.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <memory>
#include <type_traits>
#include <vector>

namespace kolvane {
namespace {

constexpr RootKey kUser = RootKey::CurrentUser;
constexpr std::string_view kSettings = "software\\Tremholt\\Kolvane\\Settings";

// Writes go through one object; reads through `reader()`, which for the file store is a
// fresh object on the same file, so every value makes the round trip through the text.
struct MemoryBackend {
    MemoryRegistry store;
    RegistryBackend& writer() { return store; }
    RegistryBackend& reader() { return store; }
};

struct FileBackend {
    testing::TempFolder folder;
    FileRegistry store{folder.path("not-yet-there/registry.reg")};
    std::unique_ptr<FileRegistry> fresh;
    RegistryBackend& writer() { return store; }
    RegistryBackend& reader() {
        fresh = std::make_unique<FileRegistry>(store.path());
        return *fresh;
    }
};

template <typename Backend> class RegistryContract : public ::testing::Test {
protected:
    Backend backend;
    RegistryBackend& writer() { return backend.writer(); }
    RegistryBackend& reader() { return backend.reader(); }
};

struct BackendNames {
    template <typename T> static std::string GetName(int) {
        return std::is_same_v<T, MemoryBackend> ? "Memory" : "File";
    }
};

using Backends = ::testing::Types<MemoryBackend, FileBackend>;
TYPED_TEST_SUITE(RegistryContract, Backends, BackendNames);

TYPED_TEST(RegistryContract, MissingKeyOrValueReadsAsNothingAndIsNotCreated) {
    EXPECT_EQ(this->reader().readValue(kUser, kSettings, "Language"), std::nullopt);
    EXPECT_FALSE(this->reader().keyExists(kUser, kSettings));

    ASSERT_TRUE(this->writer().writeValue(kUser, kSettings, "Language", "EN"));
    EXPECT_EQ(this->reader().readValue(kUser, kSettings, "ShowDialog"), std::nullopt);
    EXPECT_EQ(this->reader().readValue(RootKey::LocalMachine, kSettings, "Language"), std::nullopt);
    EXPECT_EQ(this->reader().readValue(kUser, "software\\Tremholt", "Language"), std::nullopt);
}

TYPED_TEST(RegistryContract, WrittenValueReadsBack) {
    ASSERT_TRUE(this->writer().writeValue(kUser, kSettings, "Language", "DE"));
    EXPECT_EQ(this->reader().readValue(kUser, kSettings, "Language"), "DE");
    EXPECT_TRUE(this->reader().keyExists(kUser, kSettings));
}

TYPED_TEST(RegistryContract, NamesCompareWithoutRegardToCase) {
    ASSERT_TRUE(this->writer().writeValue(kUser, "Software\\Tremholt", "MainLeft", "1000"));
    ASSERT_TRUE(this->writer().writeValue(kUser, "SOFTWARE\\TREMHOLT", "MAINLEFT", "2000"));
    EXPECT_EQ(this->reader().readValue(kUser, "software\\tremholt", "mainleft"), "2000");
    EXPECT_TRUE(this->reader().keyExists(kUser, "sOfTwArE"));
    // Only ASCII letters fold: 0xC9 and 0xE9 (É and é) stay different names.
    ASSERT_TRUE(this->writer().writeValue(kUser, "k", "\xC9", "upper"));
    EXPECT_EQ(this->reader().readValue(kUser, "k", "\xE9"), std::nullopt);
}

TYPED_TEST(RegistryContract, ParentsAreImpliedAndCreated) {
    ASSERT_TRUE(this->writer().writeValue(kUser, "a\\b\\c", "v", "1"));
    EXPECT_TRUE(this->reader().keyExists(kUser, "a"));
    EXPECT_TRUE(this->reader().keyExists(kUser, "A\\B"));
    EXPECT_FALSE(this->reader().keyExists(kUser, "a\\b\\c\\d"));
    EXPECT_FALSE(this->reader().keyExists(kUser, "a\\bc"));
    EXPECT_FALSE(this->reader().keyExists(RootKey::Users, "a"));

    ASSERT_TRUE(this->writer().createKey(RootKey::ClassesRoot, "x\\y\\z"));
    EXPECT_TRUE(this->reader().keyExists(RootKey::ClassesRoot, "x"));
    EXPECT_TRUE(this->reader().keyExists(RootKey::ClassesRoot, "x\\y\\z"));
    EXPECT_EQ(this->reader().readValue(RootKey::ClassesRoot, "x\\y\\z", ""), std::nullopt);
    EXPECT_TRUE(this->writer().createKey(RootKey::ClassesRoot, "x\\y")); // exists: no change
}

TYPED_TEST(RegistryContract, EmptyValueNameIsTheDefaultValue) {
    constexpr std::string_view server = "hxautoserver.application\\LocalServer32";
    ASSERT_TRUE(this->writer().writeValue(RootKey::ClassesRoot, server, "", "/opt/herd/hx"));
    EXPECT_EQ(this->reader().readValue(RootKey::ClassesRoot, server, ""), "/opt/herd/hx");
    EXPECT_EQ(this->reader().readValue(RootKey::ClassesRoot, server, "@"), std::nullopt);
}

TYPED_TEST(RegistryContract, AnyBytesOfAValueSurvive) {
    const std::vector<std::string> values = {
        "",
        " ",
        "say \"hi\"",
        "\"quoted from the start\"",
        "C:\\Herd\\",
        "\\\\server\\share\\a\\\\b",
        "line one\r\nline two",
        "lone\nfeed\rand return",
        std::string("nul\0inside", 10),
        "caf\xE9 \xFF\x80",
        ",/home/ann/imports/milk.dst,/home/ann/imports/weights.dst",
        std::string(5000, 'x') + "end",
    };
    for (std::size_t i = 0; i < values.size(); ++i) {
        SCOPED_TRACE(i);
        const std::string name = "Value" + std::to_string(i);
        ASSERT_TRUE(this->writer().writeValue(kUser, kSettings, name, values[i]));
        EXPECT_EQ(this->reader().readValue(kUser, kSettings, name), values[i]);
    }
}

TYPED_TEST(RegistryContract, OverwriteKeepsOtherValues) {
    for (const char* name : {"MainLeft", "MainWidth", "MainTop"}) {
        ASSERT_TRUE(this->writer().writeValue(kUser, kSettings, name, name));
    }
    ASSERT_TRUE(this->writer().writeValue(kUser, kSettings, "mainwidth", "7200"));
    ASSERT_TRUE(this->writer().writeValue(RootKey::Users, kSettings, "MainLeft", "other root"));
    EXPECT_EQ(this->reader().readValue(kUser, kSettings, "MainLeft"), "MainLeft");
    EXPECT_EQ(this->reader().readValue(kUser, kSettings, "MainWidth"), "7200");
    EXPECT_EQ(this->reader().readValue(kUser, kSettings, "MainTop"), "MainTop");
}

TYPED_TEST(RegistryContract, NamesAStoreCannotHoldAreRefused) {
    EXPECT_FALSE(this->writer().writeValue(kUser, kSettings, "two\nlines", "v"));
    EXPECT_FALSE(this->writer().writeValue(kUser, "a\\\\b", "v", "v"));
    EXPECT_FALSE(this->writer().writeValue(kUser, "\\a", "v", "v"));
    EXPECT_FALSE(this->writer().createKey(kUser, "a\r\nb"));
    EXPECT_FALSE(this->reader().keyExists(kUser, "a"));
    // A trailing backslash names the same key.
    ASSERT_TRUE(this->writer().writeValue(kUser, "a\\b\\", "v", "kept"));
    EXPECT_EQ(this->reader().readValue(kUser, "a\\b", "v"), "kept");
}

} // namespace
} // namespace kolvane
