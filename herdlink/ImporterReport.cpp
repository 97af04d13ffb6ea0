// SPDX-License-Identifier: MIT
#include "herdlink/ImporterReport.h"

#include "storage/AtomicFile.h"

#include <charconv>
#include <vector>

namespace kolvane {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::size_t kMaxResultFile = std::size_t{64} << 20;

// Lines of the result file, one at a time (CR LF or LF).
class Lines {
public:
    explicit Lines(std::string_view text) : text_(text) {}
    std::optional<std::string_view> next() {
        if (text_.empty()) {
            return std::nullopt;
        }
        const std::size_t end = text_.find('\n');
        std::string_view line = text_.substr(0, end);
        text_.remove_prefix(end == std::string_view::npos ? text_.size() : end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        return line;
    }

private:
    std::string_view text_;
};

std::string_view withoutPrefix(std::string_view line) {
    return line.size() > 3 ? line.substr(3) : std::string_view{};
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The numbers of a text, in order (a run of digits each).
std::vector<long> numbersIn(std::string_view text) {
    std::vector<long> numbers;
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    while (at != end) {
        if (!isDigit(*at)) {
            ++at;
            continue;
        }
        long number = 0;
        const auto [next, ec] = std::from_chars(at, end, number);
        if (ec != std::errc{}) {
            return {}; // a number too large for any count
        }
        numbers.push_back(number);
        at = next;
    }
    return numbers;
}

std::optional<ImportCounts> countsOf(std::optional<std::string_view> line) {
    constexpr std::string_view kStart = "Records: ";
    if (!line || !withoutPrefix(*line).starts_with(kStart)) {
        return std::nullopt;
    }
    const std::vector<long> numbers = numbersIn(withoutPrefix(*line));
    if (numbers.size() != 5) {
        return std::nullopt;
    }
    return ImportCounts{
        .read = numbers[0], .imported = numbers[1], .errors = numbers[3], .warnings = numbers[4]};
}

} // namespace

ImporterReport ReadImporterReport(std::string_view text,
                                  const std::function<void(int lineCounter)>& onGroup,
                                  const GroupNote& note) {
    ImporterReport report;
    Lines lines(text);
    lines.next();
    lines.next();
    report.counts = countsOf(lines.next());
    auto current = lines.next();
    if (!current) {
        report.details = "The result file ends before its report: it holds fewer than four lines.";
        return report;
    }
    if (current->starts_with("ZN")) {
        report.noErrors = true;
        report.ended = true;
        return report;
    }
    report.lineCounter = 1;
    while (!current->starts_with("ZN")) {
        // The first line tells where the fault lies ("Error in line N of the ADIS
        // file (record M)"): every group shows it.
        report.details.append(withoutPrefix(*current));
        if (note) {
            report.details.append(note(withoutPrefix(*current)));
        }
        report.details.append(kCrLf);
        const auto second = lines.next();
        const auto third = second ? lines.next() : std::nullopt;
        const auto fourth = third ? lines.next() : std::nullopt;
        if (second) {
            report.details.append(withoutPrefix(*second)).append(kCrLf);
        }
        if (third) {
            report.details.append(withoutPrefix(*third)).append(kCrLf);
        }
        if (fourth) {
            report.details.append(*fourth).append(kCrLf).append(kCrLf);
        }
        current = fourth ? lines.next() : std::nullopt;
        if (!current) {
            return report; // the file ends before "ZN": the report ends here
        }
        ++report.lineCounter;
        if (onGroup) {
            onGroup(report.lineCounter);
        }
    }
    report.ended = true;
    return report;
}

std::optional<long> FirstNumber(std::string_view text) {
    const std::size_t first = text.find_first_of("0123456789");
    long number = 0;
    if (first == std::string_view::npos ||
        std::from_chars(text.data() + first, text.data() + text.size(), number).ec != std::errc{}) {
        return std::nullopt;
    }
    return number;
}

ImporterReport Revisar_Resultado(const std::optional<std::string>& path,
                                 const std::function<void(int lineCounter)>& onGroup,
                                 const GroupNote& note) {
    std::string text;
    if (!path || !ReadWholeFile(*path, text, kMaxResultFile).ok()) {
        ImporterReport missing;
        missing.details = std::string(kResultFileMissing);
        return missing;
    }
    return ReadImporterReport(text, onGroup, note);
}

std::string DetailsForDisplay(const std::string& details) {
    if (details.size() <= kDetailsLimit) {
        return details;
    }
    return details.substr(0, kDetailsLimit) +
           "\r\nAdditional Errors not shown. Please open the HXDataexchange.ads file";
}

} // namespace kolvane
