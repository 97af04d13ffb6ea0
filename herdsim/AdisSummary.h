// SPDX-License-Identifier: MIT
// What an ADIS file holds, for the importer's "open" command: line counts by
// kind, the entities with their items and records, and the lines it cannot use.
#pragma once

#include "herdsim/AdisReader.h"
#include "herdsim/CodeList.h"

#include <istream>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace herdsim {

struct EntitySummary {
    long records = 0;
    std::vector<ItemDefinition> items; // of its last definition line
};

struct AdisProblem {
    long lineNumber = 0;
    std::string message;
};

struct AdisSummary {
    static constexpr std::size_t kMaxProblemsKept = 20;

    long lines = 0;
    long definitionLines = 0; // DN and the like
    long valueLines = 0;      // VN and the like
    long headerDefinitionLines = 0;
    long headerValueLines = 0;
    long optionLines = 0;
    long commentLines = 0;
    long endLines = 0;
    long requestLines = 0;
    long malformedLines = 0;
    long problemCount = 0;             // malformed lines and value lines that do not fit
    std::vector<AdisProblem> problems; // the first kMaxProblemsKept
    std::vector<std::string> options;  // "errok=1"
    std::map<std::pair<char, long>, EntitySummary> entities; // by status and entity
};

AdisSummary SummarizeAdis(std::istream& in);

std::string FormatSummary(const AdisSummary& summary, const CodeList& codes,
                          const std::string& path);

} // namespace herdsim
