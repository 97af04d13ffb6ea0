// SPDX-License-Identifier: MIT
// Counts what an ADIS file holds, for the importer's summary.
#include "herdsim/AdisSummary.h"

namespace herdsim {
namespace {

void noteProblem(AdisSummary& summary, const AdisRecord& record) {
    ++summary.problemCount;
    if (summary.problems.size() < AdisSummary::kMaxProblemsKept) {
        summary.problems.push_back({record.lineNumber, record.problem});
    }
}

void countRecord(AdisSummary& summary, const AdisRecord& record) {
    const bool header = record.status == 'H';
    switch (record.kind) {
    case RecordKind::Definition:
        ++(header ? summary.headerDefinitionLines : summary.definitionLines);
        summary.entities[{record.status, record.entity}].items = record.definition->items;
        break;
    case RecordKind::Value:
        ++(header ? summary.headerValueLines : summary.valueLines);
        ++summary.entities[{record.status, record.entity}].records;
        break;
    case RecordKind::Option:
        ++summary.optionLines;
        summary.options.push_back(record.optionName + "=" + record.optionValue);
        break;
    case RecordKind::Comment:
        ++summary.commentLines;
        break;
    case RecordKind::End:
        ++summary.endLines;
        break;
    case RecordKind::Request:
        ++summary.requestLines;
        break;
    case RecordKind::Malformed:
        ++summary.malformedLines;
        break;
    }
}

std::string entityLabel(char status, long entity) {
    std::string digits = std::to_string(entity);
    return std::string(1, status) + " " +
           std::string(digits.size() < 6 ? 6 - digits.size() : 0, '0') + digits;
}

std::string describeItem(const ItemDefinition& item, const CodeList& codes) {
    const CodeItem* code = codes.find(item.itemNumber);
    return item.paddedNumber() + (code ? " " + code->mnemonic : "") + " (width " +
           std::to_string(item.width) + ", decimals " + std::to_string(item.decimals) + ")";
}

} // namespace

AdisSummary SummarizeAdis(std::istream& in) {
    AdisReader reader(in);
    AdisSummary summary;
    while (const auto record = reader.next()) {
        countRecord(summary, *record);
        if (!record->problem.empty()) {
            noteProblem(summary, *record);
        }
    }
    summary.lines = reader.linesRead();
    return summary;
}

std::string FormatSummary(const AdisSummary& summary, const CodeList& codes,
                          const std::string& path) {
    std::string out = "ADIS file " + path + "\n";
    out += "Lines: " + std::to_string(summary.lines) + "; definition lines " +
           std::to_string(summary.definitionLines) + ", value records " +
           std::to_string(summary.valueLines) + ", header lines " +
           std::to_string(summary.headerDefinitionLines + summary.headerValueLines) +
           ", comments " + std::to_string(summary.commentLines) + ", end lines " +
           std::to_string(summary.endLines) + "\n";
    std::string options;
    for (const auto& option : summary.options) {
        options += (options.empty() ? "" : ", ") + option;
    }
    out += "Options: " + (options.empty() ? std::string("none") : options) + "\n";
    for (const auto& [key, entity] : summary.entities) {
        out += "Entity " + entityLabel(key.first, key.second) + ": " +
               std::to_string(entity.records) + " records, " + std::to_string(entity.items.size()) +
               " items\n";
        for (const auto& item : entity.items) {
            out += "  " + describeItem(item, codes) + "\n";
        }
    }
    out += "Problems: " + std::to_string(summary.problemCount) + "\n";
    for (const auto& problem : summary.problems) {
        out += "  line " + std::to_string(problem.lineNumber) + ": " + problem.message + "\n";
    }
    return out;
}

} // namespace herdsim
