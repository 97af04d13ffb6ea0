// SPDX-License-Identifier: MIT
// One import: definition checks, record checks, options, storing.
#include "herdsim/ImportRun.h"

#include "herdsim/AdisReader.h"
#include "herdsim/Text.h"
#include "herdsim/ValueChecks.h"

#include <map>

namespace herdsim {
namespace {

using kolvane::ErrorCode;
using kolvane::Status;

constexpr std::size_t kShownLineLength = 40;
constexpr int kIndexNotNeeded = -1;
constexpr int kIndexNotDefined = -2;

// What a definition line allows, worked out once for all its records.
struct DefinitionVerdict {
    bool rejected = false;
    std::vector<const CodeItem*> codes; // per item; nothing for an unknown item
    std::vector<bool> leftOut;          // per item: skipped with a warning
    std::vector<int> indexPosition;     // per item: where its index item stands
};

struct Fault {
    std::string subject;
    std::string reason;
};

enum class FaultScope { Record, Definition, Line };

std::string shownLine(const std::string& line) {
    return "Line \"" +
           (line.size() > kShownLineLength ? line.substr(0, kShownLineLength) + "..." : line) +
           "\"";
}

std::string itemName(const ItemDefinition& item, const CodeItem* code) {
    return "Item " + item.paddedNumber() +
           (code ? " " + code->mnemonic : " (not in the code list)");
}

std::string twoDigits(int number) {
    return (number < 10 ? "0" : "") + std::to_string(number);
}

int findItem(const AdisDefinition& definition, long itemNumber) {
    for (std::size_t i = 0; i < definition.items.size(); ++i) {
        if (definition.items[i].itemNumber == itemNumber) {
            return static_cast<int>(i);
        }
    }
    return kIndexNotDefined;
}

bool appearsEarlier(const AdisDefinition& definition, std::size_t position) {
    return findItem(definition, definition.items[position].itemNumber) !=
           static_cast<int>(position);
}

// The definition-level fault of one item, if any.
std::string definitionFault(const AdisDefinition& definition, std::size_t position,
                            const CodeItem* code) {
    const ItemDefinition& item = definition.items[position];
    if (code == nullptr) {
        return "The herd program does not know this item number.";
    }
    if (item.width != code->width) {
        return "The definition line gives the width " + twoDigits(item.width) +
               "; the herd program keeps this item " + std::to_string(code->width) +
               " characters wide.";
    }
    if (code->importPermission == permission::kRefused) {
        return "The herd program does not accept this item in an import.";
    }
    if (appearsEarlier(definition, position)) {
        return "The item appears twice in the definition line.";
    }
    return {};
}

std::string storedText(const CodeItem& code, std::string_view value) {
    if (code.type == DataType::Text) {
        const auto end = value.find_last_not_of(' ');
        return std::string(value.substr(0, end == std::string_view::npos ? 0 : end + 1));
    }
    return std::string(TrimBlanks(value));
}

class Importer {
public:
    Importer(const CodeList& codes, RecordStore& store, ImportReport& report)
        : codes_(codes), store_(store), report_(report) {}

    Status run(std::istream& in);

private:
    Status handle(const AdisRecord& record);
    void onOption(const AdisRecord& record);
    void onDefinition(const AdisRecord& record);
    void warnLeftOut(const AdisRecord& record, std::size_t position, const CodeItem& code);
    Status onValue(const AdisRecord& record);
    void onMalformed(const AdisRecord& record);
    std::vector<Fault> checkRecord(const AdisRecord& record, const DefinitionVerdict& verdict,
                                   AcceptedRecord& accepted) const;
    bool hasValue(const CodeItem& code, std::string_view value) const;
    void fault(long line, const std::string& tail, Fault what, FaultScope scope);
    void warn(long line, const std::string& tail, Fault what, std::string outcome);
    void finishReading(AdisReader& reader);

    const CodeList& codes_;
    RecordStore& store_;
    ImportReport& report_;
    std::map<const AdisDefinition*, DefinitionVerdict> verdicts_;
    long recordNumber_ = 0;
    bool dataStarted_ = false;
    bool stopped_ = false;
    bool ended_ = false;
};

Status Importer::run(std::istream& in) {
    AdisReader reader(in);
    while (!stopped_ && !ended_) {
        const auto record = reader.next();
        if (!record) {
            break;
        }
        if (Status status = handle(*record); !status.ok()) {
            return status;
        }
    }
    if (reader.inputFailed()) {
        return {ErrorCode::FileUnreadable, "The file could not be read to its end.", report_.file,
                reader.linesRead()};
    }
    finishReading(reader);
    return Status::Ok();
}

Status Importer::handle(const AdisRecord& record) {
    switch (record.kind) {
    case RecordKind::Option:
        onOption(record);
        break;
    case RecordKind::Definition:
        onDefinition(record);
        break;
    case RecordKind::Value:
        return onValue(record);
    case RecordKind::Malformed:
        onMalformed(record);
        break;
    case RecordKind::End:
        ended_ = true;
        break;
    case RecordKind::Request:
        warn(record.lineNumber, "",
             {shownLine(record.line), "A request line has no place in an import."},
             "Line skipped.");
        break;
    case RecordKind::Comment:
        break;
    }
    return Status::Ok();
}

void Importer::onOption(const AdisRecord& record) {
    static const std::map<std::string, bool ImportOptions::*> kOptions = {
        {"errok", &ImportOptions::errok},
        {"init", &ImportOptions::init},
        {"errexit", &ImportOptions::errexit},
        {"zero", &ImportOptions::zero},
        {"trigger", &ImportOptions::trigger}};
    const auto found = kOptions.find(record.optionName);
    const Fault what{shownLine(record.line), ""};
    if (dataStarted_) {
        warn(record.lineNumber, "", {what.subject, "Options must come before the data."},
             "Option ignored.");
    } else if (found == kOptions.end()) {
        warn(record.lineNumber, "", {what.subject, "The herd program knows no such option."},
             "Option ignored.");
    } else if (record.optionValue != "1" && record.optionValue != "0") {
        warn(record.lineNumber, "", {what.subject, "An option is set with 1 or cleared with 0."},
             "Option ignored.");
    } else {
        report_.options.*(found->second) = record.optionValue == "1";
    }
}

void Importer::onDefinition(const AdisRecord& record) {
    if (record.status == 'H') {
        return; // the header (file version and such) is not herd data
    }
    dataStarted_ = true;
    const AdisDefinition& definition = *record.definition;
    DefinitionVerdict verdict;
    for (std::size_t i = 0; i < definition.items.size() && !stopped_; ++i) {
        const CodeItem* code = codes_.find(definition.items[i].itemNumber);
        verdict.codes.push_back(code);
        const std::string problem = definitionFault(definition, i, code);
        const bool leaveOut =
            problem.empty() &&
            (code->isRestricted() || (code->needsInitOption() && !report_.options.init));
        verdict.leftOut.push_back(leaveOut);
        verdict.indexPosition.push_back(code == nullptr || code->indexItem == 0 ||
                                                code->indexItem == code->itemNumber
                                            ? kIndexNotNeeded
                                            : findItem(definition, code->indexItem));
        if (!problem.empty()) {
            verdict.rejected = true;
            fault(record.lineNumber, " (definition line)",
                  {itemName(definition.items[i], code), problem}, FaultScope::Definition);
        } else if (leaveOut) {
            warnLeftOut(record, i, *code);
        }
    }
    verdicts_[record.definition.get()] = std::move(verdict);
}

void Importer::warnLeftOut(const AdisRecord& record, std::size_t position, const CodeItem& code) {
    const std::string reason =
        code.isRestricted() ? "The item is restricted: only the herd program itself sets it."
                            : "The item is imported only with the option init=1 (fN init=1).";
    warn(record.lineNumber, " (definition line)",
         {itemName(record.definition->items[position], &code), reason},
         "The item is left out of every record of this definition line.");
}

Status Importer::onValue(const AdisRecord& record) {
    if (record.status == 'H') {
        return Status::Ok();
    }
    dataStarted_ = true;
    ++recordNumber_;
    ++report_.counts.recordsRead;
    const DefinitionVerdict& verdict = verdicts_.at(record.definition.get());
    if (verdict.rejected) {
        ++report_.counts.recordsRejected; // reported once, at its definition line
        return Status::Ok();
    }
    AcceptedRecord accepted{recordNumber_, record.lineNumber, record.entity, {}};
    const std::vector<Fault> faults = checkRecord(record, verdict, accepted);
    if (!faults.empty()) {
        ++report_.counts.recordsRejected;
        const std::string tail = " (record " + std::to_string(recordNumber_) + ")";
        for (std::size_t i = 0; i < faults.size() && !stopped_; ++i) {
            fault(record.lineNumber, tail, faults[i], FaultScope::Record);
        }
        return Status::Ok();
    }
    if (Status status = store_.store(accepted); !status.ok()) {
        return status;
    }
    ++report_.counts.recordsImported;
    report_.counts.valuesStored += static_cast<long>(accepted.values.size());
    return Status::Ok();
}

bool Importer::hasValue(const CodeItem& code, std::string_view value) const {
    return !IsNoValue(value) && (report_.options.zero || !IsZeroValue(code, value));
}

std::vector<Fault> Importer::checkRecord(const AdisRecord& record, const DefinitionVerdict& verdict,
                                         AcceptedRecord& accepted) const {
    if (!record.problem.empty()) {
        return {{shownLine(record.line), record.problem}};
    }
    const auto& items = record.definition->items;
    std::vector<Fault> faults;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const CodeItem& code = *verdict.codes[i];
        const std::string& value = record.values[i];
        if (verdict.leftOut[i] || IsNoValue(value)) {
            continue;
        }
        const std::string subject = itemName(items[i], &code) + ", value \"" + value + "\"";
        if (std::string problem = CheckValue(code, value); !problem.empty()) {
            faults.push_back({subject, std::move(problem)});
            continue;
        }
        if (!hasValue(code, value)) {
            continue; // a zero without the zero option means "no value"
        }
        const int index = verdict.indexPosition[i];
        if (index != kIndexNotNeeded &&
            (index == kIndexNotDefined ||
             !hasValue(*verdict.codes[static_cast<std::size_t>(index)],
                       record.values[static_cast<std::size_t>(index)]))) {
            const CodeItem* indexCode = codes_.find(code.indexItem);
            faults.push_back({subject, "The item needs its index item " +
                                           ItemDefinition{"", code.indexItem, 0, 0}.paddedNumber() +
                                           (indexCode ? " " + indexCode->mnemonic : "") +
                                           " with a value in the same record."});
            continue;
        }
        accepted.values.push_back({code.itemNumber, storedText(code, value)});
    }
    return faults;
}

void Importer::onMalformed(const AdisRecord& record) {
    const bool isValueLine =
        !record.line.empty() && record.line.front() == 'V' && record.status != 'H';
    std::string tail;
    if (isValueLine) {
        dataStarted_ = true;
        ++recordNumber_;
        ++report_.counts.recordsRead;
        ++report_.counts.recordsRejected;
        tail = " (record " + std::to_string(recordNumber_) + ")";
    }
    fault(record.lineNumber, tail, {shownLine(record.line), record.problem},
          isValueLine ? FaultScope::Record : FaultScope::Line);
}

void Importer::fault(long line, const std::string& tail, Fault what, FaultScope scope) {
    const ImportOptions& options = report_.options;
    // When both are set, stopping is the safer reading of the file's wish.
    const bool asWarning = options.errok && !options.errexit;
    std::string outcome;
    switch (scope) {
    case FaultScope::Record:
        outcome = asWarning ? "Record skipped (errok=1); the other records are imported."
                            : "Record not imported.";
        break;
    case FaultScope::Definition:
        outcome = asWarning ? "The records of this definition line are skipped (errok=1)."
                            : "No record of this definition line is imported.";
        break;
    case FaultScope::Line:
        outcome = "Line skipped.";
        break;
    }
    if (options.errexit) {
        outcome += " The import stopped here (errexit=1); nothing after this line was imported.";
        stopped_ = true;
    }
    report_.add({asWarning ? Severity::Warning : Severity::Error,
                 std::string(asWarning ? "Warning" : "Error") + " in line " + std::to_string(line) +
                     " of the ADIS file" + tail,
                 std::move(what.subject), std::move(what.reason), std::move(outcome)});
}

void Importer::warn(long line, const std::string& tail, Fault what, std::string outcome) {
    report_.add({Severity::Warning,
                 "Warning in line " + std::to_string(line) + " of the ADIS file" + tail,
                 std::move(what.subject), std::move(what.reason), std::move(outcome)});
}

void Importer::finishReading(AdisReader& reader) {
    if (stopped_) {
        return;
    }
    if (reader.linesRead() == 0) {
        report_.add({Severity::Warning, "Warning: the ADIS file is empty", "File " + report_.file,
                     "The file holds no lines.", "Nothing was imported."});
        return;
    }
    if (ended_) {
        const long endLine = reader.linesRead();
        while (reader.next()) {
        }
        if (reader.linesRead() > endLine) {
            warn(endLine, " (end line)",
                 {std::to_string(reader.linesRead() - endLine) + " more lines follow",
                  "Nothing after the end line (ZN) is read."},
                 "Those lines were not imported.");
        }
        return;
    }
    warn(reader.linesRead(), " (its last line)",
         {"End line (ZN) missing", "The file may be incomplete."},
         "The records it holds were checked and imported as usual.");
}

} // namespace

Status RunImport(std::istream& adis, const CodeList& codes, RecordStore& store,
                 ImportReport& report) {
    Importer importer(codes, store, report);
    return importer.run(adis);
}

} // namespace herdsim
