// SPDX-License-Identifier: MIT
// Late-bound automation objects: CreateObject(ProgID) finds the server's
// command line under HKEY_CLASSES_ROOT\<ProgID>\LocalServer32 in the settings
// store and starts it; Call sends a method name and by-reference text
// arguments and returns the answer text. The server ends when the object goes.
#pragma once

#include "herdlink/Process.h"
#include "storage/RegistryBackend.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace kolvane {

// An automation failure as the programs report it: a number and a description.
struct AutomationError {
    long number = 0;
    std::string description;
};

// "ActiveX component can't create object" and "Automation error", the numbers
// the callers know from the platform.
inline constexpr long kCannotCreateObject = 429;
inline constexpr long kAutomationError = 440;

// How long a call may take before the server counts as hung: five minutes,
// or KOLVANE_AUTOMATION_TIMEOUT seconds (1 to a week) when that is set. A value
// that is no such number is described in `problem` (five minutes then).
std::chrono::seconds DefaultAutomationTimeout(std::string* problem = nullptr);

class AutomationObject {
public:
    // Starts the server registered for `progId`; an error when it is not
    // registered or cannot be started.
    static std::optional<AutomationObject>
    CreateObject(RegistryBackend& registry, const std::string& progId, AutomationError& error);

    // Calls a method. The arguments are passed by reference: they hold the
    // server's values afterwards. A server that crashes, garbles the answer,
    // answers with an error or does not answer within the timeout gives an
    // error; a hung server is ended.
    std::optional<std::string> Call(const std::string& method, std::vector<std::string>& arguments,
                                    AutomationError& error);

    void setTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }

private:
    explicit AutomationObject(ChildProcess server, std::string progId)
        : server_(std::move(server)), progId_(std::move(progId)) {}

    ChildProcess server_;
    std::string progId_;
    std::chrono::milliseconds timeout_ = DefaultAutomationTimeout();
};

} // namespace kolvane
