// SPDX-License-Identifier: MIT
#include "engine/FindingsReport.h"

#include <array>

namespace kolvane {
namespace {

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
        return language.FillText(
            msg::FindingCut,
            {source, std::to_string(finding.writtenText.size()), quoted(finding.writtenText)});
    case FindingKind::NotANumber:
        return language.FillText(msg::FindingNotANumber, {source});
    case FindingKind::Date:
        return language.FillText(msg::FindingNotADate, {source});
    case FindingKind::Time:
        return language.FillText(msg::FindingNotATime, {source});
    case FindingKind::Letter:
        return language.LoadText(msg::FindingNoAnsiLetter);
    case FindingKind::EmptyIndex:
        break;
    }
    return language.LoadText(msg::FindingEmptyIndex);
}

struct CountTexts {
    FindingKind kind;
    int one;
    int many;
};
constexpr std::array<CountTexts, kFindingKinds> kCountTexts{{
    {FindingKind::Cut, msg::FindingsCutOne, msg::FindingsCutCount},
    {FindingKind::NotANumber, msg::FindingsNotANumberOne, msg::FindingsNotANumberCount},
    {FindingKind::Date, msg::FindingsNotADateOne, msg::FindingsNotADateCount},
    {FindingKind::Time, msg::FindingsNotATimeOne, msg::FindingsNotATimeCount},
    {FindingKind::EmptyIndex, msg::FindingsEmptyIndexOne, msg::FindingsEmptyIndexCount},
    {FindingKind::Letter, msg::FindingsLetterOne, msg::FindingsLetterCount},
}};

} // namespace

std::string KindCount(FindingKind kind, std::size_t count, const Language& language) {
    for (const CountTexts& texts : kCountTexts) {
        if (texts.kind == kind) {
            return language.CountText(texts.one, texts.many, count);
        }
    }
    return std::to_string(count);
}

std::string ErrorsAndWarnings(std::size_t errors, std::size_t warnings, const Language& language) {
    return language.CountText(msg::ErrorsOne, msg::ErrorsMany, errors) + ", " +
           language.CountText(msg::WarningsOne, msg::WarningsMany, warnings);
}

std::string FindingLine(const ValueFinding& finding, const std::string& source,
                        const Language& language) {
    std::string line = source + ':' + std::to_string(finding.sourceLine) + ": ";
    if (finding.severity == Severity::Warning) {
        line += language.LoadText(msg::FindingWarning) + ": ";
    }
    if (finding.kind == FindingKind::Letter) { // a whole line, before it is split
        return line + whatWasFound(finding, language);
    }
    line += language.FillText(msg::FindingColumn, {std::to_string(finding.column)}) + " (" +
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
        text += language.FillText(msg::FindingsMore,
                                  {std::to_string(findings.total() - kShownFindings)}) +
                '\n';
    }
    for (const CountTexts& texts : kCountTexts) {
        const std::size_t count = findings.count(texts.kind);
        if (count == 0) {
            continue;
        }
        text += source + ": " + KindCount(texts.kind, count, language) + ' ' +
                language.FillText(
                    msg::FindingsSeverities,
                    {ErrorsAndWarnings(findings.count(texts.kind, Severity::Error),
                                       findings.count(texts.kind, Severity::Warning), language)}) +
                '\n';
    }
    return text;
}

} // namespace kolvane
