// SPDX-License-Identifier: MIT
#include "engine/AdisConversion.h"

#include "engine/ParallelAdisWriter.h"

#include <algorithm>
#include <optional>
#include <thread>
#include <utility>

namespace kolvane {
namespace {

constexpr std::size_t kFlushSize = std::size_t{1} << 20;

class StreamingAdisWriter final : public RowConsumer {
public:
    StreamingAdisWriter(ImportSetup& setup, const EngineContext& context,
                        const ConversionOptions& options, ByteSink& sink, std::string sourceName)
        : setup_(setup), context_(context), options_(options), sink_(sink),
          sourceName_(std::move(sourceName)) {
        buffer_.reserve(kFlushSize + (std::size_t{64} << 10));
    }

    Status beginRows(int columnCount) override {
        if (Status begun =
                BeginConversion(setup_, context_, options_, columnCount, sourceName_, buffer_);
            !begun.ok()) {
            return begun;
        }
        writer_.emplace(setup_, context_, options_.variant);
        return Status::Ok();
    }

    Status addRow(std::span<const std::string_view> cells, long sourceLine) override {
        sourceLines_.note(rows_++, sourceLine);
        if (Status status = writer_->appendValueLine(cells, sourceLine, buffer_); !status.ok()) {
            keepDateFailure();
            return std::move(status).withPath(sourceName_);
        }
        return buffer_.size() >= kFlushSize ? flush() : Status::Ok();
    }

    Status finish() {
        keepDateFailure();
        buffer_ += kAdisFileEnd;
        return flush();
    }

    ValueFindings takeFindings() { return writer_ ? writer_->takeFindings() : ValueFindings{}; }
    SourceLineMap takeSourceLines() { return std::exchange(sourceLines_, SourceLineMap{}); }

    // The runner goes on past a bad date, so a read that stops later (too many
    // fields, a stop request) must still tell about it.
    void keepDateFailure() {
        if (writer_) {
            setup_.DateConversionFailed = writer_->dateConversionFailed();
        }
    }

    Status flush() {
        Status status = sink_.write(buffer_);
        buffer_.clear();
        return status;
    }

private:
    ImportSetup& setup_;
    const EngineContext& context_;
    const ConversionOptions& options_;
    ByteSink& sink_;
    std::string sourceName_;
    std::string buffer_;
    std::optional<AdisValueWriter> writer_;
    SourceLineMap sourceLines_;
    std::size_t rows_ = 0;
};

unsigned threadsFor(const ConversionOptions& options) {
    if (options.threads != 0) {
        return options.threads;
    }
    return std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
}

ConversionResult convertOnThisThread(ImportSetup& setup, const EngineContext& context,
                                     const SourceData& source, const ConversionOptions& options,
                                     ByteSink& sink) {
    StreamingAdisWriter writer(setup, context, options, sink, source.name());
    const SourceReadResult read = ReadSourceRows(setup, context, source, options.source, writer);
    ConversionResult result;
    result.readOutcome = read.outcome;
    result.rows = read.rows;
    result.findings = writer.takeFindings();
    result.findings.merge(read.letters);
    result.sourceLines = writer.takeSourceLines();
    result.encoding = read.encoding;
    if (!read.completed()) {
        writer.keepDateFailure();
        result.status = read.status;
        static_cast<void>(writer.flush()); // what was converted, without the end line
        return result;
    }
    result.status = writer.finish();
    return result;
}

// The reader's own messages (no lines, too many fields) wait until the rows
// before them are converted: a failure in those rows comes first, as it would
// when converting row by row.
ConversionResult convertOnHelpers(ImportSetup& setup, const EngineContext& context,
                                  const SourceData& source, const ConversionOptions& options,
                                  ByteSink& sink, unsigned threads) {
    DeferredPort readerPort(&context.port);
    const EngineContext readerContext{context.language, readerPort, context.numbers, context.clock,
                                      context.stop};
    ConversionResult result;
    {
        ParallelAdisWriter writer(setup, context, options, sink, source.name(), threads);
        const SourceReadResult read =
            ReadSourceRows(setup, readerContext, source, options.source, writer);
        result.readOutcome = read.outcome;
        const Status converted = writer.finish();
        result.rows = read.rows + writer.rowsFromBlocks();
        result.findings = writer.takeFindings();
        result.findings.merge(read.letters);
        result.sourceLines = writer.takeSourceLines();
        result.encoding = read.encoding;
        if (writer.batchFailed()) {
            const bool mismatch = converted.code() == ErrorCode::ColumnCountMismatch;
            result.readOutcome = mismatch ? SourceReadResult::Outcome::ColumnCountMismatch
                                          : SourceReadResult::Outcome::Failed;
            result.status = converted;
            setup.ColumnCountMismatch = mismatch;
            return result;
        }
        DeferredPort::Replay(readerPort.take(), context.port);
        result.status = !read.completed() ? read.status : converted;
    }
    if (result.status.ok()) {
        result.status = sink.write(kAdisFileEnd);
    }
    return result;
}

} // namespace

Status BeginConversion(ImportSetup& setup, const EngineContext& context,
                       const ConversionOptions& options, int columnCount,
                       const std::string& sourceName, std::string& header) {
    if (options.onColumnsKnown && !options.onColumnsKnown(columnCount)) {
        return {ErrorCode::Cancelled, "the conversion was cancelled", sourceName};
    }
    header = AdisHeaderFor(setup, context.language, options.variant);
    return Status::Ok();
}

ConversionResult ConvertSourceToAdis(ImportSetup& setup, const EngineContext& context,
                                     const SourceData& source, const ConversionOptions& options,
                                     ByteSink& sink) {
    setup.DateConversionFailed = false;
    const unsigned threads = threadsFor(options);
    if (threads <= 1) {
        return convertOnThisThread(setup, context, source, options, sink);
    }
    return convertOnHelpers(setup, context, source, options, sink, threads);
}

} // namespace kolvane
