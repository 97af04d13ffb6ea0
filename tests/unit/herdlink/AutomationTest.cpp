// SPDX-License-Identifier: MIT
#include "herdlink/AutomationObject.h"
#include "herdlink/AutomationProtocol.h"
#include "herdlink/Process.h"
#include "storage/MemoryRegistry.h"
#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace kolvane {
namespace {

using namespace std::chrono_literals;

TEST(AutomationProtocol, CallsAndAnswersRoundTripAnyBytes) {
    const std::string binary("a\0b\r\n\xff", 6);
    const automation::Call call{"adisexchange", {binary, "", "RN     0"}};
    const auto decodedCall = automation::DecodeCall(automation::EncodeCall(call));
    ASSERT_TRUE(decodedCall);
    EXPECT_EQ(decodedCall->method, "adisexchange");
    EXPECT_EQ(decodedCall->arguments, call.arguments);

    const automation::Answer ok{true, binary, {"x"}, 0, {}};
    const auto decodedOk = automation::DecodeAnswer(automation::EncodeAnswer(ok));
    ASSERT_TRUE(decodedOk && decodedOk->ok);
    EXPECT_EQ(decodedOk->result, binary);
    EXPECT_EQ(decodedOk->arguments, std::vector<std::string>{"x"});

    const auto decodedError =
        automation::DecodeAnswer(automation::EncodeAnswer({false, {}, {}, -2147, "locked"}));
    ASSERT_TRUE(decodedError);
    EXPECT_FALSE(decodedError->ok);
    EXPECT_EQ(decodedError->errorNumber, -2147);
    EXPECT_EQ(decodedError->description, "locked");
}

TEST(AutomationProtocol, DamagedBytesAreRefused) {
    EXPECT_FALSE(automation::DecodeFields(std::string("\x05\0\0\0ab", 6)));
    EXPECT_FALSE(automation::DecodeFields("\x01\0"));
    EXPECT_FALSE(automation::DecodeCall(""));
    EXPECT_FALSE(automation::DecodeAnswer(automation::EncodeFields({"MAYBE", "x"})));
    EXPECT_FALSE(automation::DecodeAnswer(automation::EncodeFields({"ERR", "12x", "y"})));
    EXPECT_EQ(automation::Frame("ab"), std::string("\x02\0\0\0ab", 6));
}

TEST(AutomationProtocol, FramesOverAPipe) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ASSERT_TRUE(automation::WriteFrame(ends[1], "first"));
    ASSERT_TRUE(automation::WriteFrame(ends[1], ""));
    ASSERT_EQ(::write(ends[1], "\x09\0\0\0abc", 7), 7); // announces 9, holds 3
    ::close(ends[1]);
    std::string payload;
    EXPECT_EQ(automation::ReadFrame(ends[0], payload), automation::FrameRead::Frame);
    EXPECT_EQ(payload, "first");
    EXPECT_EQ(automation::ReadFrame(ends[0], payload), automation::FrameRead::Frame);
    EXPECT_EQ(payload, "");
    EXPECT_EQ(automation::ReadFrame(ends[0], payload), automation::FrameRead::Broken);
    ::close(ends[0]);

    ASSERT_EQ(::pipe(ends), 0);
    ::close(ends[1]);
    EXPECT_EQ(automation::ReadFrame(ends[0], payload), automation::FrameRead::End);
    ::close(ends[0]);
}

TEST(AutomationProtocol, AFrameLargerThanThePipeArrivesWhole) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    std::string big(300000, 'x');
    for (std::size_t i = 0; i < big.size(); i += 997) {
        big[i] = static_cast<char>(i % 251);
    }
    std::thread writer([&] {
        EXPECT_TRUE(automation::WriteFrame(ends[1], big));
        // Announces nearly the largest frame and holds three bytes of it.
        EXPECT_EQ(::write(ends[1],
                          "\xff\xff\xff\x0f"
                          "abc",
                          7),
                  7);
        ::close(ends[1]);
    });
    std::string payload;
    EXPECT_EQ(automation::ReadFrame(ends[0], payload), automation::FrameRead::Frame);
    EXPECT_EQ(payload, big);
    EXPECT_EQ(automation::ReadFrame(ends[0], payload), automation::FrameRead::Broken);
    writer.join();
    ::close(ends[0]);
}

TEST(CommandLines, SplitLikeWindows) {
    EXPECT_EQ(SplitCommandLine("/opt/hx/HXDataExchange.exe -a \"/home/a b/adis\""),
              (std::vector<std::string>{"/opt/hx/HXDataExchange.exe", "-a", "/home/a b/adis"}));
    EXPECT_EQ(SplitCommandLine("  a\t\tb  "), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitCommandLine("\"\" x"), (std::vector<std::string>{"", "x"}));
    EXPECT_EQ(SplitCommandLine(""), std::vector<std::string>{});
}

TEST(Processes, RunAndWaitGivesTheExitCode) {
    const ProcessEnd end = RunAndWait({"/bin/sh", "-c", "exit 3"});
    ASSERT_TRUE(end.status.ok()) << end.status.describe();
    EXPECT_EQ(end.exitCode, 3);
    const ProcessEnd missing = RunAndWait({"/no/such/program", "-a", "x"});
    EXPECT_EQ(missing.status.code(), ErrorCode::FileNotFound);
    EXPECT_EQ(StartDetached({"/no/such/program"}).code(), ErrorCode::FileNotFound);
    EXPECT_TRUE(StartDetached({"/bin/true"}).ok());
}

class Automation : public ::testing::Test {
protected:
    MemoryRegistry registry;

    void registerServer(const std::string& mode) {
        registry.writeValue(RootKey::ClassesRoot, "fake.server\\LocalServer32", "",
                            std::string("\"") + FAKE_SERVER + "\" " + mode);
    }
    std::optional<AutomationObject> create(AutomationError& error) {
        return AutomationObject::CreateObject(registry, "fake.server", error);
    }
};

TEST_F(Automation, CallsByNameWithArgumentsByReference) {
    registerServer("answer");
    AutomationError error;
    auto server = create(error);
    ASSERT_TRUE(server) << error.description;
    std::vector<std::string> arguments{"milk", "cow"};
    EXPECT_EQ(server->Call("echo", arguments, error).value_or("<failed>"), "milk");
    EXPECT_EQ(arguments, (std::vector<std::string>{"MILK", "COW"}));
    // A method the server does not know: its error number and description.
    EXPECT_FALSE(server->Call("frobnicate", arguments, error));
    EXPECT_EQ(error.number, 438);
    // The object is still usable after an error answer.
    EXPECT_TRUE(server->Call("echo", arguments, error));
}

TEST_F(Automation, AQuotedServerPathMayHoldBlanks) {
    testing::TempFolder folder;
    const std::string server = folder.path("herd program/fake server");
    std::filesystem::create_directories(folder.path("herd program"));
    std::filesystem::copy_file(FAKE_SERVER, server);
    registry.writeValue(RootKey::ClassesRoot, "fake.server\\LocalServer32", "",
                        "\"" + server + "\" answer");
    AutomationError error;
    auto created = create(error);
    ASSERT_TRUE(created) << error.description;
    std::vector<std::string> arguments{"milk"};
    EXPECT_EQ(created->Call("echo", arguments, error).value_or("<failed>"), "milk");
    // Unquoted, the blank ends the program's path, as on Windows.
    registry.writeValue(RootKey::ClassesRoot, "fake.server\\LocalServer32", "", server);
    EXPECT_FALSE(create(error));
    EXPECT_NE(error.description.find(folder.path("herd")), std::string::npos) << error.description;
}

TEST_F(Automation, UnregisteredOrUnstartableServersCannotBeCreated) {
    AutomationError error;
    EXPECT_FALSE(create(error));
    EXPECT_EQ(error.number, kCannotCreateObject);
    registry.writeValue(RootKey::ClassesRoot, "fake.server\\LocalServer32", "", "/no/such/server");
    EXPECT_FALSE(create(error));
    EXPECT_EQ(error.number, kCannotCreateObject);
    EXPECT_NE(error.description.find("/no/such/server"), std::string::npos);
}

// A limit too large for the clock, or no number at all, is told; it never
// turns into a wait of -1 seconds.
TEST_F(Automation, AnUnusableTimeoutInTheEnvironmentIsTold) {
    registerServer("answer");
    const char* saved = std::getenv("KOLVANE_AUTOMATION_TIMEOUT");
    const std::string before = saved != nullptr ? saved : "";
    for (const char* value : {"99999999999999999999", "0", "soon", "-3"}) {
        ::setenv("KOLVANE_AUTOMATION_TIMEOUT", value, 1);
        std::string problem;
        EXPECT_EQ(DefaultAutomationTimeout(&problem), std::chrono::minutes(5));
        EXPECT_NE(problem.find(value), std::string::npos) << problem;
        AutomationError error;
        EXPECT_FALSE(create(error)) << value;
        EXPECT_NE(error.description.find("is not a number of seconds"), std::string::npos)
            << error.description;
    }
    ::setenv("KOLVANE_AUTOMATION_TIMEOUT", "7", 1);
    EXPECT_EQ(DefaultAutomationTimeout(), std::chrono::seconds(7));
    if (saved != nullptr) {
        ::setenv("KOLVANE_AUTOMATION_TIMEOUT", before.c_str(), 1);
    } else {
        ::unsetenv("KOLVANE_AUTOMATION_TIMEOUT");
    }
}

TEST_F(Automation, BrokenServersGiveErrorsNotHangs) {
    for (const std::string mode : {"crash", "garbage", "error", "hang"}) {
        registerServer(mode);
        AutomationError error;
        auto server = create(error);
        ASSERT_TRUE(server) << mode;
        server->setTimeout(300ms);
        std::vector<std::string> arguments{"x"};
        const auto started = std::chrono::steady_clock::now();
        EXPECT_FALSE(server->Call("echo", arguments, error)) << mode;
        EXPECT_LT(std::chrono::steady_clock::now() - started, 5s) << mode;
        EXPECT_EQ(error.number, mode == "error" ? 1234 : kAutomationError) << mode;
        EXPECT_FALSE(error.description.empty());
    }
}

} // namespace
} // namespace kolvane
