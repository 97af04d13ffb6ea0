// SPDX-License-Identifier: MIT
// A small client of an automation server process for tests: starts the server
// with pipes on its standard input and output and speaks the frame format.
#pragma once

#include "herdlink/AutomationProtocol.h"
#include "herdlink/Process.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace herdsim::testing {

class AutomationClient {
public:
    AutomationClient(const std::string& program,
                     const std::map<std::string, std::string>& environment);

    bool started() const { return server_.running(); }
    // Nothing when the server did not answer with a whole, readable frame.
    std::optional<kolvane::automation::Answer> call(const std::string& method,
                                                    const std::vector<std::string>& arguments);
    // Closes the server's input, reads what it still writes, waits for it to
    // end and returns its exit code (-1 when a signal ended it or it hung).
    int finish();
    // What the server wrote after its last answer (read by finish()).
    const std::string& trailingOutput() const { return trailing_; }

private:
    kolvane::ChildProcess server_; // a server still running at the end is ended
    std::string trailing_;
};

} // namespace herdsim::testing
