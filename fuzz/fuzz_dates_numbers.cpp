// SPDX-License-Identifier: MIT
// Dates, times and numbers of source cells. The input is a pattern (up to the
// first line feed) and a value; the value goes through every converter.
#include "engine/Crea_Adis.h"
#include "engine/Dates.h"
#include "engine/Horas.h"
#include "engine/Numbers.h"
#include "fuzz/ConversionSetups.h"
#include "fuzz/FuzzSupport.h"

#include <cmath>

namespace kolvane::fuzz {
namespace {

void dates(QuietEngine& engine, std::string_view pattern, std::string_view value) {
    std::string out;
    DateParseTrace trace;
    const DatePatternParser parser(pattern);
    const bool parsed = parser.parse(value, out, &trace);
    if (parsed) {
        Require(trace.unread.size() <= value.size(), "the unread rest lies inside the value");
    }
    std::string stepwise;
    DateParseTrace stepwiseTrace;
    Require(parser.parseStepByStep(value, stepwise, &stepwiseTrace) == parsed && stepwise == out &&
                (!parsed || (stepwiseTrace.unread == trace.unread &&
                             stepwiseTrace.separatorTookDigit == trace.separatorTookDigit)),
            "the short cut of a date parses as the rules do");
    static_cast<void>(Trans_Fechas(value));
    for (const std::string_view format : kDateFormats) {
        ImportSetup setup;
        setup.DateFormatName = format;
        static_cast<void>(ConvertDate(setup, value, engine.context()));
    }
    ImportSetup custom;
    custom.DateFormatName = kCustomDateFormat;
    custom.DatePattern = pattern;
    static_cast<void>(ConvertDate(custom, value, engine.context()));
    static_cast<void>(FormatDateByPattern(pattern, std::chrono::year{2026} / 2 / 28));
}

void numbers(std::string_view pattern, std::string_view value) {
    for (const char separator : {'.', ','}) {
        const NumberFormat format{separator};
        const double number = ToNumber(value, format);
        const std::optional<double> parsed = ParseNumber(value, format);
        Require(!parsed || *parsed == number || number != number,
                "ToNumber agrees with ParseNumber");
        static_cast<void>(NumberToText(number, format));
        static_cast<void>(RoundToWrittenPrecision(number, format));
        const int decimals = pattern.empty() ? 0 : static_cast<unsigned char>(pattern[0]) % 12;
        static_cast<void>(ShiftDecimals(value, separator, decimals));
        // A factor of 10^k written on the digits, as through a double.
        const int k = decimals;
        for (const int sign : {1, -1}) {
            std::string scaled;
            if (AppendScaledDecimal(scaled, value, sign * k - 1, format)) {
                const double power = RoundToWrittenPrecision(std::pow(10.0, k), format);
                const double product = sign > 0 ? number * power : number / power;
                Require(scaled ==
                            NumberToText(RoundToWrittenPrecision(product, format) / 10, format),
                        "a power-of-ten factor on the digits writes what a double writes");
            }
        }
    }
}

} // namespace
} // namespace kolvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kolvane::fuzz;
    static QuietEngine engine;
    const std::string_view text = AsText(data, size);
    const std::size_t split = text.find('\n');
    const std::string_view pattern = split == std::string_view::npos ? "" : text.substr(0, split);
    const std::string_view value = split == std::string_view::npos ? text : text.substr(split + 1);
    dates(engine, pattern, value);
    Require(kolvane::ConvertTime(value).size() == 6, "a converted time has six characters");
    numbers(pattern, value);
    return 0;
}
