// SPDX-License-Identifier: MIT
#include "storage/AtomicFile.h"

#include "tests/support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace kolvane {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

void fill(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(AtomicPathWriter, CommitReplacesTheTargetWhole) {
    testing::TempFolder folder;
    const std::string target = folder.write("codes.db", "old");
    AtomicPathWriter file;
    ASSERT_TRUE(file.reserve(target).ok());
    EXPECT_EQ(fs::path(file.path()).parent_path(), folder.root()); // a rename, never a copy
    fill(file.path(), "new");
    EXPECT_EQ(folder.read("codes.db"), "old"); // untouched until the commit
    ASSERT_TRUE(file.commit().ok());
    EXPECT_EQ(folder.read("codes.db"), "new");
    EXPECT_EQ(folder.entries(), Names{"codes.db"});
    EXPECT_EQ(file.commit().code(), ErrorCode::WriteFailed); // nothing left to commit
}

TEST(AtomicPathWriter, WithoutACommitTheOldFileStaysAndNoTemporaryIsLeft) {
    testing::TempFolder folder;
    const std::string target = folder.write("codes.db", "old");
    {
        AtomicPathWriter file;
        ASSERT_TRUE(file.reserve(target).ok());
        fill(file.path(), "half");
        AtomicPathWriter other; // a second writer gets a name of its own
        ASSERT_TRUE(other.reserve(target).ok());
        EXPECT_NE(other.path(), file.path());
    }
    {
        AtomicPathWriter file;
        ASSERT_TRUE(file.reserve(folder.path("new.db")).ok());
        fill(file.path(), "never committed");
    }
    EXPECT_EQ(folder.read("codes.db"), "old");
    EXPECT_EQ(folder.entries(), Names{"codes.db"});
}

TEST(AtomicPathWriter, TargetsThatCannotBeWrittenAreRefusedByName) {
    testing::TempFolder folder;
    AtomicPathWriter file;
    fs::create_directories(folder.path("a folder"));
    EXPECT_EQ(file.reserve(folder.path("a folder")).describe(),
              folder.path("a folder") + ": this is a folder, not a file");
    const Status missing = file.reserve(folder.path("no/such/x.db"));
    EXPECT_EQ(missing.code(), ErrorCode::WriteFailed);
    EXPECT_EQ(missing.path(), folder.path("no/such/x.db"));
    EXPECT_EQ(file.path(), "");
}

} // namespace
} // namespace kolvane
