// SPDX-License-Identifier: MIT
#include "engine/FindingsReport.h"

#include <array>

namespace kolvane {
namespace {

// The text of `number` with %1, %2, %3 replaced by `values`.
std::string filled(const Language& language, int number,
                   std::initializer_list<std::string> values) {
    std::string text = language.LoadText(number);
    std::size_t n = 1;
    for (const std::string& value : values) {
        const std::string mark = "%" + std::to_string(n++);
        if (const std::size_t at = text.find(mark); at != std::string::npos) {
            text.replace(at, mark.size(), value);
        }
    }
    return text;
}

std::string quoted(std::string_view text) {
    return '"' + std::string(text) + '"';
}

std::string trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string whatWasFound(const ValueFinding& finding, const Language& language) {
    const std::string source = quoted(finding.sourceText);
    switch (finding.kind) {
    case FindingKind::Cut:
        return filled(
            language, msg::FindingCut,
            {source, std::to_string(finding.writtenText.size()), quoted(finding.writtenText)});
    case FindingKind::NotANumber:
        return filled(language, msg::FindingNotANumber, {source});
    case FindingKind::Date:
        return filled(language, msg::FindingNotADate, {source});
    case FindingKind::Time:
        return filled(language, msg::FindingNotATime, {source});
    case FindingKind::EmptyIndex:
        break;
    }
    return language.LoadText(msg::FindingEmptyIndex);
}

constexpr std::array<std::pair<FindingKind, int>, kFindingKinds> kCountTexts{{
    {FindingKind::Cut, msg::FindingsCutCount},
    {FindingKind::NotANumber, msg::FindingsNotANumberCount},
    {FindingKind::Date, msg::FindingsNotADateCount},
    {FindingKind::Time, msg::FindingsNotATimeCount},
    {FindingKind::EmptyIndex, msg::FindingsEmptyIndexCount},
}};

} // namespace

std::string FindingLine(const ValueFinding& finding, const std::string& source,
                        const Language& language) {
    std::string line = source + ':' + std::to_string(finding.sourceLine) + ": ";
    if (finding.severity == Severity::Warning) {
        line += language.LoadText(msg::FindingWarning) + ": ";
    }
    line += filled(language, msg::FindingColumn, {std::to_string(finding.column)}) + " (" +
            trimmed(finding.mnemonic) + "): " + whatWasFound(finding, language);
    return line;
}

std::string FindingsReport(const ValueFindings& findings, const std::string& source,
                           const Language& language) {
    std::string text;
    const auto& kept = findings.kept();
    for (std::size_t i = 0; i < kept.size() && i < kShownFindings; ++i) {
        text += FindingLine(kept[i], source, language) + '\n';
    }
    if (findings.total() > kShownFindings) {
        text += filled(language, msg::FindingsMore,
                       {std::to_string(findings.total() - kShownFindings)}) +
                '\n';
    }
    for (const auto& [kind, number] : kCountTexts) {
        if (findings.count(kind) == 0) {
            continue;
        }
        text += source + ": " + filled(language, number, {std::to_string(findings.count(kind))}) +
                ' ' +
                filled(language, msg::FindingsSeverities,
                       {std::to_string(findings.count(kind, Severity::Error)),
                        std::to_string(findings.count(kind, Severity::Warning))}) +
                '\n';
    }
    return text;
}

} // namespace kolvane
