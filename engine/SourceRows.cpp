// SPDX-License-Identifier: MIT
#include "engine/SourceRows.h"

#include "engine/FixedColumnsTOColumns.h"
#include "engine/TxtTOArray.h"

#include <algorithm>
#include <climits>
#include <stdexcept>
#include <vector>

namespace kolvane {
namespace {

// Drives the working window by the share of the file read, a few hundred times
// per file at most rather than once per row.
class Progress {
public:
    Progress(UserPort& port, bool enabled, int caption, std::uint64_t size)
        : port_(port), enabled_(enabled), step_(std::max<std::uint64_t>(size / 200, 1 << 16)) {
        if (enabled_) {
            port_.startProgress(caption, static_cast<std::int64_t>(size));
        }
    }
    ~Progress() {
        if (enabled_) {
            port_.endProgress();
        }
    }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void update(std::uint64_t position) {
        if (enabled_ && position >= next_) {
            port_.setProgress(static_cast<std::int64_t>(position));
            next_ = position + step_;
        }
    }

private:
    UserPort& port_;
    bool enabled_;
    std::uint64_t step_;
    std::uint64_t next_ = 0;
};

// Hands an uncut line to a consumer that cuts lines itself.
Status passLine(RowConsumer& consumer, const SourceLineReader& reader, std::string_view line,
                SourceReadResult& result, Progress& progress) {
    Status added = consumer.addLine(line, reader.lineNumber());
    if (added.ok()) {
        ++result.rows;
        progress.update(reader.bytesConsumed());
    }
    return added;
}

// Lines a block at a time from where the reader stands to the end of the file.
Status passBlocks(RowConsumer& consumer, SourceLineReader& reader, const EngineContext& context,
                  const std::string& sourceName, Progress& progress) {
    constexpr std::size_t kBlockBytes = std::size_t{160} << 10;
    for (;;) {
        if (context.stopRequested()) {
            return StoppedStatus(sourceName);
        }
        const long firstLine = reader.lineNumber() + 1;
        std::string_view lines;
        const auto next = reader.nextBlock(consumer.blockStorage(), lines, kBlockBytes);
        if (next == LineReader::Result::End) {
            return Status::Ok();
        }
        if (next == LineReader::Result::Error) {
            return reader.error();
        }
        const long lineCount = reader.lineNumber() - firstLine + 1;
        if (Status added = consumer.addBlock(lines, firstLine, lineCount); !added.ok()) {
            return added;
        }
        progress.update(reader.bytesConsumed());
    }
}

bool readsInBlocks(const RowConsumer& consumer, const SourceLineReader& reader, long limit) {
    return consumer.takesBlocks() && reader.encoding() == SourceEncoding::Ansi && limit == LONG_MAX;
}

// A line of a UTF-8 source with letters Windows-1252 has not: they went in as
// "?", and the user is told (a warning: the rest of the line is as it was).
void noteLetters(const SourceLineReader& reader, std::string_view line, SourceReadResult& result) {
    if (reader.unmappedLetters() > 0) {
        result.letters.add({.sourceLine = reader.lineNumber(),
                            .sourceText = std::string(line.substr(0, 80)),
                            .kind = FindingKind::Letter,
                            .severity = Severity::Warning});
    }
}

SourceReadResult failure(Status status, std::size_t rows = 0) {
    SourceReadResult result;
    result.outcome = SourceReadResult::Outcome::Failed;
    result.status = std::move(status);
    result.rows = rows;
    return result;
}

// How many lines the reader may deliver: the file's lines less those skipped at
// the top and the bottom. Without lines to skip at the bottom the limit can never
// end the reading before the end of the file, so the file is not counted then.
Status lineLimit(const ImportSetup& setup, const SourceData& source, long& limit) {
    limit = LONG_MAX;
    if (setup.BottomLinesToSkip <= 0) {
        return Status::Ok();
    }
    long lines = 0;
    if (Status counted = source.countLines(lines); !counted.ok()) {
        return counted;
    }
    limit = lines - setup.BottomLinesToSkip - std::max<long>(setup.TopLinesToSkip, 0);
    return Status::Ok();
}

SourceReadResult readDelimited(ImportSetup& setup, const EngineContext& context,
                               const SourceData& source, const SourceLoadOptions& options,
                               RowConsumer& consumer) {
    setup.ColumnCountMismatch = false;
    long limit = 0;
    if (Status counted = lineLimit(setup, source, limit); !counted.ok()) {
        return failure(counted);
    }
    SourceLineReader reader(setup);
    if (Status opened = reader.open(source); !opened.ok()) {
        return failure(opened);
    }
    std::string_view line;
    const auto firstResult = reader.next(line);
    if (firstResult == LineReader::Result::Error) {
        return failure(reader.error());
    }
    SourceReadResult result;
    result.encoding = reader.encoding();
    // Skips that leave no line: the first line after the top ones is a header
    // or a sum line, never a row.
    if (firstResult == LineReader::Result::End || line.empty() || limit <= 0) {
        if (options.reportNoLines) {
            context.port.showMessage(msg::NoLinesToImport, MessageIcon::Warning,
                                     MessageButtons::Ok);
        }
        result.outcome = SourceReadResult::Outcome::NoLines;
        result.status =
            Status(ErrorCode::NoLinesToImport, "No lines to be imported.", source.name(),
                   reader.lineNumber() + (firstResult == LineReader::Result::End ? 1 : 0))
                .withMessage(msg::NoLinesToImport);
        return result;
    }
    const int columns = CountColumns(setup, line);
    if (columns > kMaxColumns) {
        return failure({ErrorCode::TooManyColumns,
                        "the first line has " + std::to_string(columns) +
                            " columns, more than the " + std::to_string(kMaxColumns) + " allowed",
                        source.name(), reader.lineNumber()});
    }
    if (Status begun = consumer.beginRows(columns); !begun.ok()) {
        return failure(begun);
    }
    std::vector<std::string_view> cells(static_cast<std::size_t>(columns));
    noteLetters(reader, line, result);
    SplitLineIntoRow(setup, line, cells);
    if (Status added = consumer.addRow(cells, reader.lineNumber()); !added.ok()) {
        return failure(added);
    }
    result.rows = 1;
    const bool takesLines = consumer.takesLines();

    Progress progress(context.port, options.showProgress,
                      options.progressCaption ? options.progressCaption : msg::BuildingColumns,
                      reader.size());
    if (readsInBlocks(consumer, reader, limit)) {
        if (Status passed = passBlocks(consumer, reader, context, source.name(), progress);
            !passed.ok()) {
            return failure(passed, result.rows);
        }
        return result;
    }
    for (long delivered = 1; delivered < limit; ++delivered) {
        if (context.stopRequested()) {
            return failure(StoppedStatus(source.name()), result.rows);
        }
        const auto next = reader.next(line);
        if (next == LineReader::Result::End) {
            break;
        }
        if (next == LineReader::Result::Error) {
            return failure(reader.error(), result.rows);
        }
        if (line.empty()) {
            continue;
        }
        noteLetters(reader, line, result);
        if (takesLines) {
            if (Status added = passLine(consumer, reader, line, result, progress); !added.ok()) {
                return failure(added, result.rows);
            }
            continue;
        }
        if (!SplitLineIntoRow(setup, line, cells)) {
            if (options.reportTooManyFields) {
                context.port.showMessage(msg::ColumnCountMismatch, MessageIcon::Critical,
                                         MessageButtons::Ok);
            }
            setup.ColumnCountMismatch = true;
            result.outcome = SourceReadResult::Outcome::ColumnCountMismatch;
            result.status = TooManyFieldsStatus(source.name(), reader.lineNumber(), columns);
            return result;
        }
        if (Status added = consumer.addRow(cells, reader.lineNumber()); !added.ok()) {
            return failure(added, result.rows);
        }
        ++result.rows;
        progress.update(reader.bytesConsumed());
    }
    return result;
}

Status checkFixedColumnStarts(const ImportSetup& setup, const SourceData& source) {
    const auto& starts = setup.FixedColumnStarts;
    if (FixedColumnCount(setup) == 0) {
        return {ErrorCode::BadSetup, "no fixed columns are marked", source.name()};
    }
    if (FixedColumnCount(setup) > kMaxColumns) {
        return {ErrorCode::TooManyColumns, "more fixed columns than allowed", source.name()};
    }
    if (!starts.empty() && starts.front() < 0) {
        return {ErrorCode::BadSetup, "a fixed column starts before the first character",
                source.name()};
    }
    if (!std::is_sorted(starts.begin(), starts.end())) {
        return {ErrorCode::BadSetup, "the fixed column starts are not in ascending order",
                source.name()};
    }
    return Status::Ok();
}

SourceReadResult readFixed(ImportSetup& setup, const EngineContext& context,
                           const SourceData& source, const SourceLoadOptions& options,
                           RowConsumer& consumer) {
    if (Status checked = checkFixedColumnStarts(setup, source); !checked.ok()) {
        return failure(checked);
    }
    long limit = 0;
    if (Status counted = lineLimit(setup, source, limit); !counted.ok()) {
        return failure(counted);
    }
    SourceLineReader reader(setup);
    if (Status opened = reader.open(source); !opened.ok()) {
        return failure(opened);
    }
    const int columns = FixedColumnCount(setup);
    if (Status begun = consumer.beginRows(columns); !begun.ok()) {
        return failure(begun);
    }
    std::vector<std::string_view> cells(static_cast<std::size_t>(columns));
    SourceReadResult result;
    result.encoding = reader.encoding();
    const bool takesLines = consumer.takesLines();
    Progress progress(context.port, options.showProgress,
                      options.progressCaption ? options.progressCaption : msg::BuildingWindow,
                      reader.size());
    if (readsInBlocks(consumer, reader, limit)) {
        if (Status passed = passBlocks(consumer, reader, context, source.name(), progress);
            !passed.ok()) {
            return failure(passed, result.rows);
        }
        return result;
    }
    std::string_view line;
    for (long delivered = 0; delivered < limit; ++delivered) {
        if (context.stopRequested()) {
            return failure(StoppedStatus(source.name()), result.rows);
        }
        const auto next = reader.next(line);
        if (next == LineReader::Result::End) {
            break;
        }
        if (next == LineReader::Result::Error) {
            return failure(reader.error(), result.rows);
        }
        if (line.empty()) {
            continue;
        }
        noteLetters(reader, line, result);
        if (takesLines) {
            if (Status added = passLine(consumer, reader, line, result, progress); !added.ok()) {
                return failure(added, result.rows);
            }
            continue;
        }
        CutFixedLine(setup, line, cells);
        if (Status added = consumer.addRow(cells, reader.lineNumber()); !added.ok()) {
            return failure(added, result.rows);
        }
        ++result.rows;
        progress.update(reader.bytesConsumed());
    }
    return result;
}

// Builds a new source table; the setup's table is replaced only once rows began.
class SourceTableBuilder final : public RowConsumer {
public:
    explicit SourceTableBuilder(std::uint64_t sizeHint) : sizeHint_(sizeHint) {}

    Status beginRows(int columnCount) override {
        table_.reset(columnCount);
        began_ = true;
        return Status::Ok();
    }
    Status addRow(std::span<const std::string_view> cells, long sourceLine) override {
        if (table_.empty()) {
            reserveFor(cells);
        }
        table_.appendRow(cells, sourceLine);
        return Status::Ok();
    }
    // The table, with what its reading found, replaces the setup's once the
    // first row came; otherwise the setup keeps what it had.
    void storeInto(ImportSetup& setup, const SourceReadResult& read) {
        if (began_) {
            setup.SourceTable = std::move(table_);
            setup.SourceLetters = read.letters;
            setup.SourceFileEncoding = read.encoding;
        }
    }

private:
    // Sizes the table once from the file size and the first row, so that a large
    // file is not copied over and over while the table grows.
    void reserveFor(std::span<const std::string_view> cells) {
        std::size_t rowBytes = cells.size() + 2;
        for (const auto cell : cells) {
            rowBytes += cell.size();
        }
        const std::size_t rows = static_cast<std::size_t>(sizeHint_ / rowBytes) * 11 / 10 + 16;
        table_.reserve(rows, static_cast<std::size_t>(sizeHint_) + 64);
    }

    SourceTable table_;
    std::uint64_t sizeHint_;
    bool began_ = false;
};

std::uint64_t sizeHintOf(const SourceData& source) {
    LineReader probe;
    if (!source.openIn(probe).ok()) {
        return 0;
    }
    return probe.size();
}

} // namespace

std::string& RowConsumer::blockStorage() {
    throw std::logic_error("RowConsumer: blocks were handed to a consumer that takes none");
}

Status TooManyFieldsStatus(const std::string& source, long line, int columns) {
    return Status(ErrorCode::ColumnCountMismatch,
                  "this line has more fields than the first line (" + std::to_string(columns) +
                      " columns)",
                  source, line)
        .withMessage(msg::ColumnCountMismatch);
}

SourceReadResult ReadSourceRows(ImportSetup& setup, const EngineContext& context,
                                const SourceData& source, const SourceLoadOptions& options,
                                RowConsumer& consumer) {
    if (setup.usesFixedColumns()) {
        return readFixed(setup, context, source, options, consumer);
    }
    return readDelimited(setup, context, source, options, consumer);
}

SourceReadResult LoadSourceTable(ImportSetup& setup, const EngineContext& context,
                                 const SourceData& source, SourceLayout layout,
                                 const SourceLoadOptions& options) {
    SourceTableBuilder builder(sizeHintOf(source));
    auto result = layout == SourceLayout::FixedWidth
                      ? readFixed(setup, context, source, options, builder)
                      : readDelimited(setup, context, source, options, builder);
    builder.storeInto(setup, result);
    return result;
}

SourceReadResult LoadDelimitedSource(ImportSetup& setup, const EngineContext& context,
                                     const SourceData& source, const SourceLoadOptions& options) {
    return LoadSourceTable(setup, context, source, SourceLayout::Delimited, options);
}

} // namespace kolvane
