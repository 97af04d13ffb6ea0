// SPDX-License-Identifier: MIT
// A delimited source split and converted to ADIS in one pass, as the converter
// (stops at the first bad date) and as the runner (goes on past it).
#include "engine/AdisConversion.h"
#include "fuzz/ConversionSetups.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kolvane;
    using namespace kolvane::fuzz;
    static QuietEngine engine;
    const std::string_view text = AsText(data, size);
    for (const AdisVariant variant : {AdisVariant::Converter, AdisVariant::Runner}) {
        ImportSetup setup = DelimitedSetup(kDateFormats[size % kDateFormats.size()]);
        ConversionOptions options;
        options.variant = variant;
        options.threads = 1;
        StringSink sink;
        const ConversionResult result =
            ConvertSourceToAdis(setup, engine.context(','), SourceData::text(text), options, sink);
        Require(!result.complete() || sink.text.ends_with(kAdisFileEnd),
                "a complete conversion ends with its end line");
        Require(result.complete() || !sink.text.ends_with(kAdisFileEnd),
                "an incomplete conversion has no end line");
    }
    return 0;
}
