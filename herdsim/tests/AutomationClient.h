// SPDX-License-Identifier: MIT
// A small client of an automation server process for tests: starts the server
// with pipes on its standard input and output and speaks the frame format.
#pragma once

#include "herdlink/AutomationProtocol.h"

#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace herdsim::testing {

class AutomationClient {
public:
    AutomationClient(const std::string& program,
                     const std::map<std::string, std::string>& environment);
    ~AutomationClient(); // a server still running is killed
    AutomationClient(const AutomationClient&) = delete;
    AutomationClient& operator=(const AutomationClient&) = delete;

    bool started() const { return pid_ > 0; }
    // Nothing when the server did not answer with a whole, readable frame.
    std::optional<kolvane::automation::Answer> call(const std::string& method,
                                                    const std::vector<std::string>& arguments);
    // Closes the server's input, reads what it still writes, waits for it to
    // end and returns its exit code (-1 when a signal ended it).
    int finish();
    // What the server wrote after its last answer (read by finish()).
    const std::string& trailingOutput() const { return trailing_; }

private:
    pid_t pid_ = -1;
    int toServer_ = -1;
    int fromServer_ = -1;
    std::string trailing_;
};

} // namespace herdsim::testing
