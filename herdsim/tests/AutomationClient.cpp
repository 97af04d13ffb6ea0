// SPDX-License-Identifier: MIT
#include "herdsim/tests/AutomationClient.h"

#include <chrono>

namespace herdsim::testing {

AutomationClient::AutomationClient(const std::string& program,
                                   const std::map<std::string, std::string>& environment) {
    kolvane::StartOptions options;
    options.environment = environment;
    static_cast<void>(server_.start({program}, options)); // started() tells
}

std::optional<kolvane::automation::Answer>
AutomationClient::call(const std::string& method, const std::vector<std::string>& arguments) {
    namespace automation = kolvane::automation;
    std::string payload;
    if (!automation::WriteFrame(server_.input(), automation::EncodeCall({method, arguments})) ||
        automation::ReadFrame(server_.output(), payload) != automation::FrameRead::Frame) {
        return std::nullopt;
    }
    return automation::DecodeAnswer(payload);
}

int AutomationClient::finish() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    return server_.finish(trailing_, deadline).exitCode;
}

} // namespace herdsim::testing
