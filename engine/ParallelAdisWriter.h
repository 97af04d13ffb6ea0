// SPDX-License-Identifier: MIT
// Converts rows on helper threads: the reading thread gathers rows into
// batches, helpers turn batches into value lines, and the reading thread
// writes the batches in their order and shows their messages in that order.
// The result is the same text and the same messages as converting row by row.
#pragma once

#include "engine/AdisConversion.h"
#include "engine/DeferredPort.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <utility>

namespace kolvane {

class ParallelAdisWriter final : public RowConsumer {
public:
    ParallelAdisWriter(ImportSetup& setup, const EngineContext& context,
                       const ConversionOptions& options, ByteSink& sink, std::string sourceName,
                       unsigned threads);
    ~ParallelAdisWriter() override;
    ParallelAdisWriter(const ParallelAdisWriter&) = delete;
    ParallelAdisWriter& operator=(const ParallelAdisWriter&) = delete;

    Status beginRows(int columnCount) override;
    Status addRow(std::span<const std::string_view> cells, long sourceLine) override;
    bool takesLines() const override { return true; }
    Status addLine(std::string_view line, long sourceLine) override;
    bool takesBlocks() const override { return true; }
    std::string& blockStorage() override;
    Status addBlock(std::string_view lines, long firstLine, long lineCount) override;
    // The rows that came in blocks and were converted (the reader cannot count them).
    std::size_t rowsFromBlocks() const { return blockRows_; }

    // Converts and writes what is still on its way, in order; the first failure
    // of a batch (a date or a factor) is returned.
    Status finish();
    // A batch failed: rows after it were never converted, as when converting row by row.
    bool batchFailed() const { return !failure_.ok(); }
    const Status& batchFailure() const { return failure_; }
    // The value check's findings of the rows written so far, in row order.
    ValueFindings takeFindings() { return std::exchange(findings_, ValueFindings{}); }
    // The source line of every row handed over, by row.
    SourceLineMap takeSourceLines() { return std::exchange(sourceLines_, SourceLineMap{}); }

private:
    struct Batch;
    struct Worker;

    void startWorkers(int columnCount);
    void work(Worker& worker);
    void convert(Worker& worker, Batch& batch);
    bool convertLine(Worker& worker, Batch& batch, std::string_view line, long lineNumber,
                     std::span<std::string_view> cells);
    void convertBlock(Worker& worker, Batch& batch, std::span<std::string_view> cells);
    void submitCurrent();
    std::unique_ptr<Batch> freshBatch();
    Status writeFinishedBatches(bool waitForHead);
    Status writeBatch(Batch& batch);

    ImportSetup& setup_;
    const EngineContext& context_;
    const ConversionOptions& options_;
    ByteSink& sink_;
    std::string sourceName_;
    unsigned threads_;

    std::unique_ptr<AdisValueWriter> firstRowWriter_; // the first row, on this thread
    int columns_ = 0;
    std::vector<std::unique_ptr<Worker>> workers_;
    std::unique_ptr<Batch> current_;
    std::deque<std::unique_ptr<Batch>> inFlight_; // in row order; owned by the reading thread
    std::vector<std::unique_ptr<Batch>> spare_;   // written batches, their buffers kept
    std::size_t blockRows_ = 0;
    Status failure_;
    ValueFindings findings_;
    SourceLineMap sourceLines_;
    std::size_t rowsHanded_ = 0;
    // Set once findings_ keeps all it may: later batches then only count theirs.
    std::atomic<bool> findingsFull_{false};
    bool dateMessageShown_ = false;

    std::mutex mutex_;
    std::condition_variable jobsReady_;
    std::condition_variable batchDone_;
    std::deque<Batch*> jobs_;
    bool stopping_ = false;
};

} // namespace kolvane
