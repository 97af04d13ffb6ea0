// SPDX-License-Identifier: MIT
// Build tool: the shipped code dictionary from the seed code list, every value
// as the herd software delivers it.
//   make_code_dictionary aded-items.tsv CodigosAds.db
#include "herdlink/CodeDictionary.h"
#include "herdlink/CodeImport.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <utility>

namespace {

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream stream(line);
    for (std::string field; std::getline(stream, field, '\t');) {
        fields.push_back(field);
    }
    return fields;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_code_dictionary aded-items.tsv CodigosAds.db\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << argv[1] << ": cannot be read\n";
        return 1;
    }
    using kolvane::PadNumber;
    using kolvane::PadText;
    std::vector<kolvane::CodeRow> rows;
    bool header = true;
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (std::exchange(header, false)) {
            continue; // the column names
        }
        // mnemonic, item, index, description, decimals, width, type, import
        const auto f = splitTabs(line);
        if (f.size() != 8) {
            std::cerr << argv[1] << ":" << lineNumber << ": expected 8 fields\n";
            return 1;
        }
        rows.push_back({PadText(f[0], 14), PadNumber(f[1], 10), PadNumber(f[2], 10),
                        PadText(f[3], 45), PadNumber(f[4], 4), PadNumber(f[5], 4),
                        PadNumber(f[6], 5), PadNumber(f[7], 5)});
    }
    const kolvane::Status written = kolvane::CreateCodeDictionary(argv[2], rows);
    if (!written.ok()) {
        std::cerr << written.describe() << '\n';
        return 1;
    }
    return 0;
}
