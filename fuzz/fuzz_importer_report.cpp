// SPDX-License-Identifier: MIT
// The importer's result file as the runner reads it, with the callbacks the
// runner passes, and the details cut for display.
#include "fuzz/FuzzSupport.h"
#include "herdlink/ImporterReport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kolvane;
    using namespace kolvane::fuzz;
    int lastCounter = 1;
    const auto onGroup = [&lastCounter](int lineCounter) {
        Require(lineCounter > lastCounter, "the line counter grows with every group");
        lastCounter = lineCounter;
    };
    const auto note = [](std::string_view firstLine) {
        const std::optional<long> line = FirstNumber(firstLine);
        return line ? " (source line " + std::to_string(*line) + ")" : std::string{};
    };
    const ImporterReport report = ReadImporterReport(AsText(data, size), onGroup, note);
    Require(!report.noErrors || report.ended, "no errors only with the end line");
    const std::string shown = DetailsForDisplay(report.details);
    Require(shown.size() <= kDetailsLimit + 100, "long details are cut");
    return 0;
}
