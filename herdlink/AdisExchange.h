// SPDX-License-Identifier: MIT
// The ADIS exchange with the herd software (class ADIS): a request line goes
// to its automation server, the answer comes back cut into records of items.
#pragma once

#include "engine/UserPort.h"
#include "herdlink/AutomationObject.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kolvane {

inline constexpr const char* kHerdServerProgId = "hxautoserver.application";

// One item of a record: the three parts of its definition and its value,
// exactly as sent (blanks kept, nothing inserted).
struct AdisItem {
    std::string itemNumber; // 8 characters
    std::string width;      // 2 characters
    std::string decimals;   // 1 character
    std::string value;      // as many characters as the width says

    friend bool operator==(const AdisItem&, const AdisItem&) = default;
};

// A value line and the definition line that came last before it.
struct AdisPair {
    std::string definition;
    std::string value;
};

using AdisRecords = std::vector<std::vector<AdisItem>>; // [record][item]

// The platform's error numbers for a text cut past its end and a missing item.
inline constexpr long kInvalidArgument = 5;
inline constexpr long kSubscriptOutOfRange = 9;

class ADIS {
public:
    ADIS(RegistryBackend& registry, UserPort& port) : registry_(registry), port_(port) {}

    // Creates the server object (kept while this object lives), sends the
    // request through "adisexchange" and cuts the answer. Every record has as
    // many items as the second record (or the first, when there is one); a
    // record with fewer is an error, one with more gives its first ones.
    std::optional<AdisRecords> Traspaso(std::string& request, AutomationError& error);

    // Splits an answer into (definition, value) pairs. Lines end at a carriage
    // return; line feeds are dropped. "DN" lines are definitions; "VN" lines and
    // lines starting with two blanks are values; other lines are ignored. There
    // is always at least one pair (an empty one when no value line came).
    // Progress goes to `port`, when given.
    static std::vector<AdisPair> Dividir_Respuesta(std::string_view answer, UserPort* port);

    // Cuts one pair into items: the definition after its first 8 characters in
    // pieces of 11, the value after its first 8 by the widths. A definition or
    // value line shorter than 8 characters is an error.
    static std::optional<std::vector<AdisItem>>
    Leer_Items(std::string_view definition, std::string_view value, AutomationError& error);

    // An ADIS date as an automation date (days since 30 December 1899).
    static std::optional<double> Trans_Fechas(std::string_view adisDate);

private:
    RegistryBackend& registry_;
    UserPort& port_;
    std::optional<AutomationObject> server_;
};

} // namespace kolvane
