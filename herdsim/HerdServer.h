// SPDX-License-Identifier: MIT
// The automation server hxautoserver.application: answers calls by method
// name (compared without regard to letter case, as late binding does).
//
//   adisexchange(request line)      the ADIS answer (see AdisExchange.h)
//   gettranslationline(number)      text 36001 to 36061 in the user's language
//
// A call it cannot serve comes back as an error with a number and a description.
#pragma once

#include "herdlink/AutomationProtocol.h"
#include "herdsim/AdisExchange.h"
#include "herdsim/CodeList.h"
#include "herdsim/Translations.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>

namespace herdsim {

namespace server_error {
inline constexpr long kUnknownMethod = 438; // "Object doesn't support this property or method"
inline constexpr long kArgumentCount = 450; // "Wrong number of arguments"
inline constexpr long kUnreadableCall = 30000;
inline constexpr long kBadRequest = 30001;
inline constexpr long kUnknownItem = 30002;
inline constexpr long kNoSuchText = 30003;
} // namespace server_error

struct ServerSetup {
    CodeList codes;
    Translations translations;
    std::string databasePath;
    // The stored Language setting, read at every call so a change shows at once.
    std::function<std::optional<std::string>()> readLanguage;
};

class HerdServer {
public:
    HerdServer(ServerSetup setup, std::ostream& diagnostics)
        : setup_(std::move(setup)), diagnostics_(diagnostics) {}

    kolvane::automation::Answer handle(const kolvane::automation::Call& call) const;
    // Decodes a call frame's payload and handles it.
    kolvane::automation::Answer handlePayload(std::string_view payload) const;

private:
    kolvane::automation::Answer adisExchange(const kolvane::automation::Call& call) const;
    kolvane::automation::Answer translationLine(const kolvane::automation::Call& call) const;
    std::string storedRecordsAnswer(const ExchangeRequest& request) const;

    ServerSetup setup_;
    std::ostream& diagnostics_;
};

// Reads framed calls from `input` and writes framed answers to `output` until
// the input ends. 0 after a clean end; 1 when the stream broke off or a frame
// was damaged (the framing cannot be trusted after that).
int ServeFrames(int input, int output,
                const std::function<kolvane::automation::Answer(std::string_view payload)>& answer,
                std::ostream& diagnostics);

} // namespace herdsim
