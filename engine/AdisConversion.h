// SPDX-License-Identifier: MIT
// A source file converted to ADIS in one pass: rows go from the reader straight
// into the value-line writer and out to a sink, so memory stays small however
// large the file is.
#pragma once

#include "engine/ByteSink.h"
#include "engine/Crea_Adis.h"
#include "engine/SourceLineMap.h"
#include "engine/SourceRows.h"

#include <functional>

namespace kolvane {

struct ConversionOptions {
    AdisVariant variant = AdisVariant::Converter;
    SourceLoadOptions source{};
    // Called once the number of source columns is known, before the header is
    // built: the place to fit the column table to the source. Returning false
    // cancels the conversion.
    std::function<bool(int columnCount)> onColumnsKnown;
    // Helper threads that convert rows; 0 chooses by the machine's cores, 1
    // converts on the calling thread only. Output and messages are the same.
    unsigned threads = 0;
};

struct ConversionResult {
    SourceReadResult::Outcome readOutcome = SourceReadResult::Outcome::Completed;
    Status status; // the first problem, with file and line; ok when complete
    std::size_t rows = 0;
    // What the value check found in the rows converted, in source order.
    ValueFindings findings;
    // The source line of every row converted (value line k holds row k).
    SourceLineMap sourceLines;
    SourceEncoding encoding = SourceEncoding::Ansi; // the source's, as read

    bool complete() const { return status.ok(); }
};

// The end of an ADIS file: the end line and the one line break after it.
inline constexpr std::string_view kAdisFileEnd = "\r\nZN\r\n";

// What every conversion does once the number of source columns is known: the
// caller fits the column table, then the header is built. Cancelled when the
// caller says so.
Status BeginConversion(ImportSetup& setup, const EngineContext& context,
                       const ConversionOptions& options, int columnCount,
                       const std::string& sourceName, std::string& header);

// Writes the ADIS file form (the text followed by one CR LF) to `sink`. When the
// conversion does not complete, what was written has no end line.
ConversionResult ConvertSourceToAdis(ImportSetup& setup, const EngineContext& context,
                                     const SourceData& source, const ConversionOptions& options,
                                     ByteSink& sink);

} // namespace kolvane
