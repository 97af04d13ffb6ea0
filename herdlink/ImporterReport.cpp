// SPDX-License-Identifier: MIT
#include "herdlink/ImporterReport.h"

#include "storage/AtomicFile.h"

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

} // namespace

ImporterReport ReadImporterReport(std::string_view text,
                                  const std::function<void(int lineCounter)>& onGroup) {
    ImporterReport report;
    Lines lines(text);
    for (int skipped = 0; skipped < 3; ++skipped) {
        lines.next();
    }
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
        report.details.append(withoutPrefix(*current)).append(kCrLf);
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

ImporterReport Revisar_Resultado(const std::optional<std::string>& path,
                                 const std::function<void(int lineCounter)>& onGroup) {
    std::string text;
    if (!path || !ReadWholeFile(*path, text, kMaxResultFile).ok()) {
        ImporterReport missing;
        missing.details = std::string(kResultFileMissing);
        return missing;
    }
    return ReadImporterReport(text, onGroup);
}

std::string DetailsForDisplay(const std::string& details) {
    if (details.size() <= kDetailsLimit) {
        return details;
    }
    return details.substr(0, kDetailsLimit) +
           "\r\nAdditional Errors not shown. Please open the HXDataexchange.ads file";
}

} // namespace kolvane
