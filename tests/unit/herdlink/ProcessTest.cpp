// SPDX-License-Identifier: MIT
#include "herdlink/Process.h"

#include "tests/support/TempFolder.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace kolvane {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

ProcessEnd shell(const std::string& script, const StartOptions& options = {}) {
    return RunAndWait({"/bin/sh", "-c", script}, options);
}

std::string readToEnd(int fd) {
    std::string bytes;
    char block[256];
    for (ssize_t got; (got = ::read(fd, block, sizeof block)) > 0;) {
        bytes.append(block, static_cast<std::size_t>(got));
    }
    return bytes;
}

TEST(Processes, EnvironmentFolderAndStreamsAsTheOptionsSay) {
    testing::TempFolder folder;
    const fs::path work = folder.root() / "work folder";
    fs::create_directories(work);
    StartOptions options;
    options.environment = {{"KOLVANE_PROBE", "a b \"c\""}, {"HOME", "/elsewhere"}};
    options.workingFolder = work.string();
    options.input = ProcessStream::File(folder.write("in.txt", "line from a file\n"));
    options.output = ProcessStream::File(folder.path("out.txt"));
    options.error = ProcessStream::File(folder.path("err.txt"));
    const ProcessEnd end = shell("pwd -P; echo \"$KOLVANE_PROBE\" \"$HOME\"; cat; "
                                 "[ -n \"$PATH\" ] && echo kept >&2; exit 4",
                                 options);
    ASSERT_TRUE(end.status.ok()) << end.status.describe();
    EXPECT_EQ(end.exitCode, 4);
    EXPECT_EQ(folder.read("out.txt"),
              fs::canonical(work).string() + "\na b \"c\" /elsewhere\nline from a file\n");
    EXPECT_EQ(folder.read("err.txt"), "kept\n"); // this program's own variables stay

    // Output and error into one file keep each other's lines.
    options.error = options.output;
    ASSERT_TRUE(shell("echo one; echo two >&2; echo three", options).status.ok());
    EXPECT_EQ(folder.read("out.txt"), "one\ntwo\nthree\n");
}

TEST(Processes, PipesCarryAnyBytesBothWays) {
    StartOptions options;
    options.input = ProcessStream::Pipe();
    options.output = ProcessStream::Pipe();
    options.error = ProcessStream::Pipe();
    Status status;
    auto process = Process::Start({"/bin/sh", "-c", "cat; printf 'to error' >&2"}, options, status);
    ASSERT_TRUE(process) << status.describe();
    const std::string bytes("a\0b\r\n\xff", 6);
    ASSERT_EQ(::write(process->input(), bytes.data(), bytes.size()), 6);
    process->closeInput();
    EXPECT_EQ(readToEnd(process->output()), bytes);
    EXPECT_EQ(readToEnd(process->error()), "to error");
    EXPECT_EQ(process->wait(), 0);
    EXPECT_FALSE(process->running());
}

TEST(Processes, ExitCodesAndSignals) {
    EXPECT_EQ(shell("exit 0").exitCode, 0);
    EXPECT_EQ(shell("exit 3").exitCode, 3);
    EXPECT_EQ(shell("exit 255").exitCode, 255);
    EXPECT_EQ(shell("kill -9 $$").exitCode, -1);
    // An argument with blanks and quotes arrives as one, untouched.
    EXPECT_EQ(RunAndWait({"/bin/sh", "-c", "[ \"$1\" = 'a \"b\" c' ]", "sh", "a \"b\" c"}).exitCode,
              0);

    Status status;
    auto sleeper = Process::Start({"/bin/sleep", "10"}, {}, status);
    ASSERT_TRUE(sleeper) << status.describe();
    EXPECT_EQ(sleeper->waitFor(50ms), std::nullopt);
    sleeper->kill();
    EXPECT_FALSE(sleeper->running());
}

TEST(Processes, WhatCannotStartSaysWhy) {
    testing::TempFolder folder;
    const ProcessEnd missing = RunAndWait({"/no/such/program", "-a", "x"});
    EXPECT_EQ(missing.status.code(), ErrorCode::FileNotFound);
    EXPECT_EQ(missing.status.describe(), "/no/such/program: the program does not exist");
    EXPECT_EQ(missing.exitCode, -1);

    const std::string plain = folder.write("not a program", "echo hi\n");
    EXPECT_EQ(RunAndWait({plain}).status.code(), ErrorCode::FileUnreadable);
    EXPECT_EQ(RunAndWait({}).status.code(), ErrorCode::BadSetup);

    StartOptions options;
    options.workingFolder = folder.path("gone");
    EXPECT_EQ(RunAndWait({"/bin/true"}, options).status.describe(),
              folder.path("gone") + ": the working folder does not exist");
    options = {};
    options.input = ProcessStream::File(folder.path("no input"));
    EXPECT_EQ(RunAndWait({"/bin/true"}, options).status.code(), ErrorCode::FileNotFound);
    options = {};
    options.output = ProcessStream::File(folder.path("no/folder/out"));
    EXPECT_EQ(RunAndWait({"/bin/true"}, options).status.path(), folder.path("no/folder/out"));
}

// /proc/<pid>/stat: "pid (name) state parent group session ..."
std::string statusLine(const std::string& pid) {
    std::ifstream in("/proc/" + pid + "/stat");
    std::string line;
    std::getline(in, line);
    return line;
}

TEST(Processes, DetachedProgramsRunInTheirOwnSessionAndLeaveNoZombie) {
    testing::TempFolder folder;
    const std::string record = folder.path("stat");
    ASSERT_TRUE(StartDetached({"/bin/sh", "-c",
                               "cat /proc/$$/stat > \"$0.part\"; "
                               "mv \"$0.part\" \"$0\"",
                               record})
                    .ok());
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!fs::exists(record) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(10ms);
    }
    std::istringstream fields(folder.read("stat"));
    std::string pid, name, state, parent, group, session;
    fields >> pid >> name >> state >> parent >> group >> session;
    ASSERT_FALSE(pid.empty());
    EXPECT_EQ(session, pid);
    // Once it has ended it is reaped: no zombie stays behind.
    while (!statusLine(pid).empty() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_EQ(statusLine(pid), "");
    EXPECT_EQ(StartDetached({"/no/such/program"}).code(), ErrorCode::FileNotFound);
}

} // namespace
} // namespace kolvane
