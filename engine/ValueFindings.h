// SPDX-License-Identifier: MIT
// What the value check found while converting: cells whose written value is
// not what the source says (cut, not a number, not a date, not a time) or that
// leave a record without its animal. Bounded: the first kKeptLimit findings are
// kept whole, in source order; every finding is counted by kind and severity.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace kolvane {

// Letter: a letter of a UTF-8 source that Windows-1252 has not, written "?".
enum class FindingKind { Cut, NotANumber, Date, Time, EmptyIndex, Letter };
enum class Severity { Error, Warning };

inline constexpr std::size_t kFindingKinds = 6;

struct ValueFinding {
    long sourceLine = 0;
    int column = 0; // 1-based, as the source counts its columns
    std::string mnemonic{};
    std::string item{};
    std::string sourceText{};
    std::string writtenText{}; // the value as it went into the ADIS line, without its padding
    FindingKind kind = FindingKind::Cut;
    Severity severity = Severity::Error;

    friend bool operator==(const ValueFinding&, const ValueFinding&) = default;
};

class ValueFindings {
public:
    static constexpr std::size_t kKeptLimit = 1000;

    void add(ValueFinding finding);
    // Once kKeptLimit findings are kept, the rest are only counted: callers test
    // full() and skip building what would not be kept.
    bool full() const { return kept_.size() >= kKeptLimit; }
    void countOnly(FindingKind kind, Severity severity) { ++counts_[slot(kind, severity)]; }
    // Appends the findings of `later` (rows after these): the kept ones as long
    // as there is room, the counts whole.
    void merge(const ValueFindings& later);
    void clear() { *this = ValueFindings{}; }

    const std::vector<ValueFinding>& kept() const { return kept_; }
    std::size_t count(FindingKind kind, Severity severity) const {
        return counts_[slot(kind, severity)];
    }
    std::size_t count(FindingKind kind) const {
        return count(kind, Severity::Error) + count(kind, Severity::Warning);
    }
    std::size_t errors() const { return total(Severity::Error); }
    std::size_t warnings() const { return total(Severity::Warning); }
    std::size_t total() const { return errors() + warnings(); }
    bool empty() const { return total() == 0; }

private:
    static std::size_t slot(FindingKind kind, Severity severity) {
        return static_cast<std::size_t>(kind) * 2 + static_cast<std::size_t>(severity);
    }
    std::size_t total(Severity severity) const;

    std::vector<ValueFinding> kept_;
    std::array<std::size_t, kFindingKinds * 2> counts_{};
};

} // namespace kolvane
