// SPDX-License-Identifier: MIT
// Writes the result file HXDataExchange.ads.
#include "herdsim/ResultFile.h"

namespace herdsim {
namespace {

constexpr const char* kLineEnd = "\r\n";

// A control byte in a value (a stray CR, a TAB) must not break the line shape.
std::string printable(std::string_view text) {
    std::string clean(text);
    for (char& c : clean) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            c = '?';
        }
    }
    return clean;
}

void appendLine(std::string& out, const char* prefix, std::string_view text) {
    out += prefix;
    out += printable(text);
    out += kLineEnd;
}

std::string counted(long count, const char* singular, const char* plural) {
    return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

std::string countsLine(const ImportReport& report) {
    if (!report.ran) {
        return "The import could not run; nothing was imported.";
    }
    const ImportCounts& counts = report.counts;
    return "Records: " + std::to_string(counts.recordsRead) + " read, " +
           std::to_string(counts.recordsImported) + " imported, " +
           std::to_string(counts.recordsRejected) + " not imported; " +
           counted(report.errors(), "error", "errors") + ", " +
           counted(report.warnings(), "warning", "warnings") + ".";
}

void appendGroup(std::string& out, const ReportGroup& group) {
    appendLine(out, group.severity == Severity::Error ? "CE " : "CW ", group.where);
    appendLine(out, "CI ", group.subject);
    appendLine(out, "CM ", group.reason);
    appendLine(out, "CS ", group.outcome);
}

ReportGroup leftOutGroup(const ImportReport& report) {
    return {Severity::Warning, "Further reports left out",
            counted(report.groupsLeftOut(), "more error or warning was",
                    "more errors and warnings were") +
                " found",
            "The report lists only the first " + std::to_string(ImportReport::kMaxGroups) + ".",
            "The counts in the third line include them all."};
}

} // namespace

std::string FormatResultFile(const ImportReport& report) {
    std::string out;
    appendLine(out, "CN ", "HXDataExchange import of " + report.file);
    appendLine(out, "CN ",
               "Started " + report.startedAt + "; options: " + report.options.describe());
    appendLine(out, "CN ", countsLine(report));
    for (const auto& group : report.groups()) {
        appendGroup(out, group);
    }
    if (report.groupsLeftOut() > 0) {
        appendGroup(out, leftOutGroup(report));
    }
    if (report.groups().empty()) {
        appendLine(out, "ZN ", "No errors or warnings.");
    } else {
        appendLine(out, "ZN ",
                   "End of report: " + counted(report.errors(), "error", "errors") + ", " +
                       counted(report.warnings(), "warning", "warnings") + ".");
    }
    return out;
}

ImportReport CouldNotRunReport(const std::string& file, const std::string& startedAt,
                               const std::string& reason) {
    ImportReport report;
    report.file = file;
    report.startedAt = startedAt;
    report.ran = false;
    report.add({Severity::Error, "The import could not run", "File " + file, reason,
                "Nothing was imported."});
    return report;
}

} // namespace herdsim
