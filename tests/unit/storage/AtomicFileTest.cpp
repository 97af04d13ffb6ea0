// SPDX-License-Identifier: MIT
#include "storage/AtomicFile.h"

#include "tests/support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

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

TEST(AtomicFileWriter, NothingHasANameUntilTheCommitWhereTheSystemAllows) {
    testing::TempFolder folder;
    const std::string target = folder.write("adis.ads", "old");
    AtomicFileWriter file;
    ASSERT_TRUE(file.open(target).ok());
    ASSERT_TRUE(file.write("new").ok());
    if (file.temporaryPath().empty()) { // an unnamed file: a kill leaves nothing
        EXPECT_EQ(folder.entries(), Names{"adis.ads"});
    }
    ASSERT_TRUE(file.commit().ok());
    EXPECT_EQ(folder.read("adis.ads"), "new");
    EXPECT_EQ(folder.entries(), Names{"adis.ads"});
}

// Large files are flushed on a thread of their own while they are written:
// the bytes stay in order, and a writer that gives up meanwhile leaves nothing.
TEST(AtomicFileWriter, ALargeFileFlushedWhileWrittenArrivesWhole) {
    testing::TempFolder folder;
    const std::string target = folder.write("adis.ads", "old");
    std::string expected;
    {
        AtomicFileWriter abandoned;
        ASSERT_TRUE(abandoned.open(target).ok());
        for (int piece = 0; piece < 40; ++piece) {
            ASSERT_TRUE(abandoned.write(std::string(std::size_t{1} << 20, 'a')).ok());
        }
    } // never committed
    EXPECT_EQ(folder.read("adis.ads"), "old");
    EXPECT_EQ(folder.entries(), Names{"adis.ads"});

    AtomicFileWriter file;
    ASSERT_TRUE(file.open(target).ok());
    for (int piece = 0; piece < 40; ++piece) {
        const std::string bytes((std::size_t{1} << 20) + 17, static_cast<char>('A' + piece % 26));
        expected += bytes;
        ASSERT_TRUE(file.write(bytes).ok());
    }
    EXPECT_EQ(folder.read("adis.ads"), "old"); // untouched until the commit
    ASSERT_TRUE(file.commit().ok());
    EXPECT_TRUE(folder.read("adis.ads") == expected) << "not the bytes written, in their order";
    EXPECT_EQ(folder.entries(), Names{"adis.ads"});
}

// A killed writer's temporary file goes with the next write of the same
// target; one of a writer that still runs, or of another target, stays.
TEST(AtomicFileWriter, TemporaryFilesOfKilledWritersAreRemoved) {
    testing::TempFolder folder;
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ASSERT_GT(child, 0);
    ::waitpid(child, nullptr, 0); // a process id that is gone
    const std::string gone = ".adis.ads.tmp-" + std::to_string(child) + "-42";
    const std::string running = ".adis.ads.tmp-" + std::to_string(::getpid()) + "-43";
    const std::string other = ".other.ads.tmp-" + std::to_string(child) + "-44";
    for (const std::string& name : {gone, running, other}) {
        folder.write(name, "half");
    }
    ASSERT_TRUE(WriteFileAtomically(folder.path("adis.ads"), "whole").ok());
    EXPECT_EQ(folder.entries(), (Names{running, other, "adis.ads"}));
    AtomicPathWriter database; // the dictionary's writer cleans up the same way
    fs::rename(folder.path(running), folder.path(gone));
    ASSERT_TRUE(database.reserve(folder.path("adis.ads")).ok());
    EXPECT_FALSE(fs::exists(folder.path(gone)));
}

// A link is followed and the file it names replaced in its own folder; a
// device or a pipe is written as it is and stays what it is.
TEST(AtomicFileWriter, LinksAreFollowedAndSpecialFilesWrittenInPlace) {
    testing::TempFolder folder;
    fs::create_directories(folder.path("real"));
    const std::string real = folder.write("real/adis.ads", "old");
    fs::create_symlink(real, folder.path("link.ads"));
    ASSERT_TRUE(WriteFileAtomically(folder.path("link.ads"), "new").ok());
    EXPECT_TRUE(fs::is_symlink(folder.path("link.ads")));
    EXPECT_EQ(folder.read("real/adis.ads"), "new");
    EXPECT_EQ(folder.entries(), (Names{"link.ads", "real"}));

    ASSERT_TRUE(WriteFileAtomically("/dev/null", "nothing").ok());
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    const std::string pipe = folder.path("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = folder.read("pipe"); });
    ASSERT_TRUE(WriteFileAtomically(pipe, "through the pipe").ok());
    reader.join();
    EXPECT_EQ(received, "through the pipe");
    EXPECT_TRUE(fs::is_fifo(pipe));

    if (fs::exists("/dev/full")) { // a full device is a failure, and stays a device
        EXPECT_EQ(WriteFileAtomically("/dev/full", std::string(1 << 16, 'x')).code(),
                  ErrorCode::WriteFailed);
        EXPECT_TRUE(fs::is_character_file("/dev/full"));
    }
}

} // namespace
} // namespace kolvane
