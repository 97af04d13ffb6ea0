// SPDX-License-Identifier: MIT
// From a source file to rows of cells, delimited or fixed width, handed to a
// consumer one row at a time: the source table for the windows, or the ADIS
// writer directly when a file is converted in one pass.
#pragma once

#include "engine/EngineContext.h"
#include "engine/ImportSetup.h"
#include "engine/SourceData.h"
#include "engine/SourceEncoding.h"
#include "engine/ValueFindings.h"

#include <span>
#include <string_view>

namespace kolvane {

class RowConsumer {
public:
    virtual ~RowConsumer() = default;
    // Called once, before the first row, with the number of columns of every row.
    virtual Status beginRows(int columnCount) = 0;
    // One row; the views are valid during the call only. `sourceLine` is the
    // row's line number in the file. A failed status stops the reading.
    virtual Status addRow(std::span<const std::string_view> cells, long sourceLine) = 0;

    // A consumer may take the lines after the first one uncut (to cut them on
    // another thread); it then also checks the field count of delimited lines.
    virtual bool takesLines() const { return false; }
    virtual Status addLine(std::string_view, long) { return Status::Ok(); }

    // A consumer that takes lines may take them a block at a time instead,
    // where the reader need not look at each line (a Windows-1252 source, no
    // lines to skip at the bottom): whole lines as the file holds them, empty
    // lines and lines the filter drops included, the first one line
    // `firstLine`, `lineCount` of them. The consumer then also skips those and
    // counts its rows.
    virtual bool takesBlocks() const { return false; }
    // Where the next block is read to; the consumer keeps it until the block is done.
    virtual std::string& blockStorage();
    virtual Status addBlock(std::string_view, long, long) { return Status::Ok(); }
};

// The converter shows its working window, "No lines to be imported." and the
// message about a row with too many fields; the runner shows none of them (it
// tells about too many fields in its own words).
struct SourceLoadOptions {
    bool showProgress = true;
    bool reportNoLines = true;
    bool reportTooManyFields = true;
    int progressCaption = 0; // message number; 0 for "Building columns ..." or "Building window..."
};
inline constexpr SourceLoadOptions kRunnerSourceLoad{
    .showProgress = false, .reportNoLines = false, .reportTooManyFields = false};

struct SourceReadResult {
    enum class Outcome {
        Completed,           // every line up to the limit was read
        NoLines,             // the first line to convert is empty (delimited sources)
        ColumnCountMismatch, // a row had more fields than the first; reading stopped
        Failed,              // the file could not be read, or the consumer stopped
    };
    Outcome outcome = Outcome::Completed;
    Status status; // what went wrong, with file and line, unless Completed
    std::size_t rows = 0;
    SourceEncoding encoding = SourceEncoding::Ansi;
    // Lines of a UTF-8 source with letters Windows-1252 has not (a warning each).
    ValueFindings letters;

    bool completed() const { return outcome == Outcome::Completed; }
};

// The message and status of a delimited line with more fields than the first.
Status TooManyFieldsStatus(const std::string& source, long line, int columns);

// Reads `source` by the setup: fixed-width columns when Separator is
// "Fixed Columns", else delimited. Sets ColumnCountMismatch.
SourceReadResult ReadSourceRows(ImportSetup& setup, const EngineContext& context,
                                const SourceData& source, const SourceLoadOptions& options,
                                RowConsumer& consumer);

enum class SourceLayout { Delimited, FixedWidth };

// Fills SourceTable with the reader of `layout`. The table is left unchanged
// when the file cannot be opened or has no lines to import; after a column
// count mismatch or a read error it holds the rows read before.
SourceReadResult LoadSourceTable(ImportSetup& setup, const EngineContext& context,
                                 const SourceData& source, SourceLayout layout,
                                 const SourceLoadOptions& options);

// Fills SourceTable from a delimited source (LoadSourceTable's Delimited).
SourceReadResult LoadDelimitedSource(ImportSetup& setup, const EngineContext& context,
                                     const SourceData& source,
                                     const SourceLoadOptions& options = {});

} // namespace kolvane
