// SPDX-License-Identifier: MIT
#include "herdlink/ImporterReport.h"

#include "engine/LineReader.h"

#include <charconv>
#include <vector>

namespace kolvane {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// Lines of the result file, one at a time (CR LF or LF), read as they come:
// a report of any size is scanned without holding the file. A view is valid
// until the next line is read.
class Lines {
public:
    explicit Lines(LineReader& reader) : reader_(reader) {}
    std::optional<std::string_view> next() {
        std::string_view line;
        if (reader_.next(line) != LineReader::Result::Line) {
            return std::nullopt;
        }
        return line;
    }

private:
    LineReader& reader_;
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

ImporterReport scanReport(LineReader& reader, const std::function<void(int lineCounter)>& onGroup,
                          const GroupNote& note) {
    ImporterReport report;
    Lines lines(reader);
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
        if (second) {
            report.details.append(withoutPrefix(*second)).append(kCrLf);
        }
        const auto third = second ? lines.next() : std::nullopt;
        if (third) {
            report.details.append(withoutPrefix(*third)).append(kCrLf);
        }
        const auto fourth = third ? lines.next() : std::nullopt;
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

} // namespace

ImporterReport ReadImporterReport(std::string_view text,
                                  const std::function<void(int lineCounter)>& onGroup,
                                  const GroupNote& note) {
    LineReader reader;
    reader.openText(text);
    return scanReport(reader, onGroup, note);
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
    LineReader reader;
    if (!path || !reader.open(*path).ok()) {
        ImporterReport missing;
        missing.details = std::string(kResultFileMissing);
        return missing;
    }
    return scanReport(reader, onGroup, note);
}

std::string DetailsForDisplay(const std::string& details) {
    if (details.size() <= kDetailsLimit) {
        return details;
    }
    return details.substr(0, kDetailsLimit) +
           "\r\nAdditional Errors not shown. Please open the HXDataexchange.ads file";
}

} // namespace kolvane
