// SPDX-License-Identifier: MIT
// Fixed-width sources: cut by the golden layout, and by cut points taken from
// the input (a DST may hold any numbers there, in any order).
#include "engine/AdisConversion.h"
#include "fuzz/ConversionSetups.h"
#include "fuzz/FuzzSupport.h"

namespace kolvane::fuzz {
namespace {

void convert(ImportSetup& setup, QuietEngine& engine, std::string_view text) {
    ConversionOptions options;
    options.variant = AdisVariant::Runner;
    options.threads = 1;
    StringSink sink;
    const ConversionResult result =
        ConvertSourceToAdis(setup, engine.context(), SourceData::text(text), options, sink);
    Require(!result.complete() || sink.text.ends_with(kAdisFileEnd),
            "a complete conversion ends with its end line");
}

// Three signed 16-bit cut points from the first six bytes; an odd first byte
// adds the send date column in front.
FixedColumnStarts startsFrom(std::string_view bytes) {
    FixedColumnStarts starts;
    for (std::size_t at = 0; at + 1 < bytes.size() && at < 6; at += 2) {
        const auto low = static_cast<std::uint8_t>(bytes[at]);
        const auto high = static_cast<std::uint8_t>(bytes[at + 1]);
        starts.push_back(static_cast<std::int16_t>(static_cast<std::uint16_t>(low | high << 8)));
    }
    return starts;
}

} // namespace
} // namespace kolvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kolvane;
    using namespace kolvane::fuzz;
    static QuietEngine engine;
    const std::string_view text = AsText(data, size);
    const std::string_view dateFormat = kDateFormats[size % kDateFormats.size()];

    ImportSetup golden = FixedWidthSetup(dateFormat);
    convert(golden, engine, text);

    ImportSetup chosen = FixedWidthSetup(dateFormat);
    chosen.FixedColumnStarts = startsFrom(text);
    if (size > 0 && (data[0] & 1) != 0) {
        chosen.SendDate = "20261208";
    }
    convert(chosen, engine, text.substr(std::min<std::size_t>(size, 6)));
    return 0;
}
