// SPDX-License-Identifier: MIT
// Converting on helper threads gives what converting on the calling thread
// gives: the same text, status, outcome and flags.
#include "engine/AdisConversion.h"
#include "fuzz/ConversionSetups.h"
#include "fuzz/FuzzSupport.h"

#include <algorithm>

namespace kolvane::fuzz {
namespace {

struct Converted {
    std::string text;
    std::string status;
    SourceReadResult::Outcome readOutcome;
    bool dateFailed;
    bool mismatch;
};

Converted convert(std::string_view source, AdisVariant variant, unsigned threads,
                  std::string_view dateFormat) {
    QuietEngine engine;
    ImportSetup setup = DelimitedSetup(dateFormat);
    ConversionOptions options;
    options.variant = variant;
    options.threads = threads;
    StringSink sink;
    const ConversionResult result =
        ConvertSourceToAdis(setup, engine.context(','), SourceData::text(source), options, sink);
    return {std::move(sink.text), result.status.describe(), result.readOutcome,
            setup.DateConversionFailed, setup.ColumnCountMismatch};
}

// Helpers take rows in batches of a few thousand: a source repeated past that
// puts its faults into later batches too.
std::string repeatedPastOneBatch(std::string_view source) {
    constexpr std::size_t kLines = 5000;
    constexpr std::size_t kMaxBytes = std::size_t{1} << 18;
    const std::size_t lines =
        std::max<std::size_t>(std::count(source.begin(), source.end(), '\n'), 1);
    std::string text;
    for (std::size_t copies = 0;
         copies * lines < kLines && text.size() + source.size() <= kMaxBytes; ++copies) {
        text += source;
    }
    return text;
}

} // namespace
} // namespace kolvane::fuzz

// The first byte chooses the variant, the number of helpers, the date format
// and whether the source is repeated; the rest is the source.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kolvane;
    using namespace kolvane::fuzz;
    if (size == 0) {
        return 0;
    }
    const AdisVariant variant = (data[0] & 1) != 0 ? AdisVariant::Runner : AdisVariant::Converter;
    const unsigned threads = (data[0] & 2) != 0 ? 3 : 2;
    const std::string_view dateFormat = kDateFormats[(data[0] >> 2) % kDateFormats.size()];
    std::string_view source = AsText(data + 1, size - 1);
    std::string repeated;
    if ((data[0] & 0x80) != 0 && source.ends_with('\n')) {
        repeated = repeatedPastOneBatch(source);
        source = repeated;
    }
    const Converted alone = convert(source, variant, 1, dateFormat);
    const Converted helped = convert(source, variant, threads, dateFormat);
    Require(helped.text == alone.text, "the same text");
    Require(helped.status == alone.status, "the same status");
    Require(helped.readOutcome == alone.readOutcome, "the same read outcome");
    Require(helped.dateFailed == alone.dateFailed, "the same DateConversionFailed");
    Require(helped.mismatch == alone.mismatch, "the same ColumnCountMismatch");
    return 0;
}
