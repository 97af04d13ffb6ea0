// SPDX-License-Identifier: MIT
#include "herdlink/AutomationObject.h"

#include "engine/Numbers.h"
#include "herdlink/AutomationProtocol.h"

#include <cstdlib>

namespace kolvane {

std::chrono::seconds DefaultAutomationTimeout(std::string* problem) {
    constexpr long long kWeek = 7LL * 24 * 60 * 60;
    if (const char* text = std::getenv("KOLVANE_AUTOMATION_TIMEOUT")) {
        if (const auto seconds = WholeNumberIn(text, 1, kWeek)) {
            return std::chrono::seconds(*seconds);
        }
        if (problem != nullptr) {
            *problem = "KOLVANE_AUTOMATION_TIMEOUT=\"" + std::string(text) +
                       "\" is not a number of seconds from 1 to " + std::to_string(kWeek);
        }
    }
    return std::chrono::minutes(5);
}

std::optional<AutomationObject> AutomationObject::CreateObject(RegistryBackend& registry,
                                                               const std::string& progId,
                                                               AutomationError& error) {
    const auto commandLine =
        registry.readValue(RootKey::ClassesRoot, progId + "\\LocalServer32", "");
    if (!commandLine || commandLine->find_first_not_of(' ') == std::string::npos) {
        error = {kCannotCreateObject,
                 "The automation server \"" + progId + "\" is not registered."};
        return std::nullopt;
    }
    std::string problem;
    DefaultAutomationTimeout(&problem);
    if (!problem.empty()) {
        error = {kCannotCreateObject,
                 "The automation server \"" + progId + "\" is not started: " + problem + "."};
        return std::nullopt;
    }
    ChildProcess server;
    if (Status started = server.start(SplitCommandLine(*commandLine)); !started.ok()) {
        error = {kCannotCreateObject, "The automation server \"" + progId +
                                          "\" cannot be started: " + started.describe()};
        return std::nullopt;
    }
    return AutomationObject(std::move(server), progId);
}

std::optional<std::string> AutomationObject::Call(const std::string& method,
                                                  std::vector<std::string>& arguments,
                                                  AutomationError& error) {
    const auto fail = [&](std::string description) -> std::optional<std::string> {
        error = {kAutomationError, progId_ + "." + method + ": " + std::move(description)};
        server_.end(); // a server that failed once is not trusted again
        return std::nullopt;
    };
    if (!server_.running()) {
        return fail("the server is not running");
    }
    const std::string call = automation::Frame(automation::EncodeCall({method, arguments}));
    if (Status sent = server_.writeAll(call); !sent.ok()) {
        return fail(sent.message());
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout_;
    std::string bytes;
    if (Status read = server_.readExactly(4, bytes, deadline); !read.ok()) {
        return fail(read.code() == ErrorCode::Cancelled
                        ? "the server did not answer within " +
                              std::to_string(timeout_.count() / 1000) + " s and was ended"
                        : read.message());
    }
    const std::uint32_t length = automation::FrameLength(bytes);
    if (length > automation::kMaxFrameSize) {
        return fail("the answer is damaged (a frame of " + std::to_string(length) + " bytes)");
    }
    if (Status read = server_.readExactly(length, bytes, deadline); !read.ok()) {
        return fail(read.message());
    }
    auto answer = automation::DecodeAnswer(bytes);
    if (!answer) {
        return fail("the answer is damaged");
    }
    if (!answer->ok) {
        error = {answer->errorNumber, answer->description};
        return std::nullopt;
    }
    if (answer->arguments.size() == arguments.size()) {
        arguments = std::move(answer->arguments);
    }
    return std::move(answer->result);
}

} // namespace kolvane
