// SPDX-License-Identifier: MIT
#include "engine/ParallelAdisWriter.h"

#include "engine/FixedColumnsTOColumns.h"
#include "engine/TxtTOArray.h"

#include <algorithm>
#include <cstring>

namespace kolvane {
namespace {

constexpr std::size_t kBatchRows = 2048;
constexpr std::size_t kBatchBytes = std::size_t{1} << 20;

} // namespace

struct ParallelAdisWriter::Batch {
    // Input: the source lines back to back, uncut; or a block of the file.
    std::string text;
    std::vector<std::size_t> lineEnds;
    std::vector<long> lines;
    std::string blockText;  // room the reader reads a block into; its size is only room
    std::string_view block; // in `blockText`, or in the source's own text
    long blockFirstLine = 0;
    std::size_t blockLineCount = 0;
    // Output, filled by a helper thread: its first outputSize bytes; the rest
    // is room kept from batch to batch, so that it is not cleared for every line.
    std::string output;
    std::size_t outputSize = 0;
    std::vector<DeferredPort::Message> messages;
    ValueFindings findings;
    SourceLineMap blockLines; // the block's rows, counted from 0
    std::size_t blockRows = 0;
    Status failure;
    bool dateFailed = false;
    bool done = false;

    // Empty again, its buffers kept for the next batch.
    void clear() {
        text.clear();
        lineEnds.clear();
        lines.clear();
        block = {};
        blockLineCount = 0;
        outputSize = 0;
        messages.clear();
        findings.clear();
        blockLines.clear();
        blockRows = 0;
        failure = Status::Ok();
        dateFailed = false;
        done = false;
    }
};

struct ParallelAdisWriter::Worker {
    Worker(const EngineContext& shared, ImportSetup& setup, AdisVariant variant)
        : context{shared.language, port, shared.numbers, shared.clock},
          writer(setup, context, variant) {}

    DeferredPort port;
    EngineContext context;
    AdisValueWriter writer;
    std::thread thread;
};

ParallelAdisWriter::ParallelAdisWriter(ImportSetup& setup, const EngineContext& context,
                                       const ConversionOptions& options, ByteSink& sink,
                                       std::string sourceName, unsigned threads)
    : setup_(setup), context_(context), options_(options), sink_(sink),
      sourceName_(std::move(sourceName)), threads_(std::max(threads, 1u)) {}

ParallelAdisWriter::~ParallelAdisWriter() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    jobsReady_.notify_all();
    for (auto& worker : workers_) {
        if (worker->thread.joinable()) {
            worker->thread.join();
        }
    }
}

Status ParallelAdisWriter::beginRows(int columnCount) {
    std::string header;
    if (Status begun =
            BeginConversion(setup_, context_, options_, columnCount, sourceName_, header);
        !begun.ok()) {
        return begun;
    }
    if (Status written = sink_.write(header); !written.ok()) {
        return written;
    }
    columns_ = columnCount;
    startWorkers(columnCount);
    return Status::Ok();
}

void ParallelAdisWriter::startWorkers(int) {
    // Writers are built here, one after another, before any thread runs.
    firstRowWriter_ = std::make_unique<AdisValueWriter>(setup_, context_, options_.variant);
    for (unsigned i = 0; i < threads_; ++i) {
        workers_.push_back(std::make_unique<Worker>(context_, setup_, options_.variant));
    }
    for (auto& worker : workers_) {
        worker->thread = std::thread([this, &worker = *worker] { work(worker); });
    }
    current_ = std::make_unique<Batch>();
}

void ParallelAdisWriter::work(Worker& worker) {
    for (;;) {
        Batch* batch = nullptr;
        {
            std::unique_lock lock(mutex_);
            jobsReady_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (stopping_) {
                return;
            }
            batch = jobs_.front();
            jobs_.pop_front();
        }
        convert(worker, *batch);
        {
            const std::lock_guard lock(mutex_);
            batch->done = true;
        }
        batchDone_.notify_all();
    }
}

bool ParallelAdisWriter::convertLine(Worker& worker, Batch& batch, std::string_view line,
                                     long lineNumber, std::span<std::string_view> cells) {
    if (setup_.usesFixedColumns()) {
        CutFixedLine(setup_, line, cells);
    } else if (!SplitLineIntoRow(setup_, line, cells)) {
        batch.failure = TooManyFieldsStatus(sourceName_, lineNumber, columns_);
        return false;
    }
    const std::size_t length = worker.writer.lineLength(cells.size());
    if (batch.output.size() < batch.outputSize + length) {
        batch.output.resize(std::max(batch.outputSize + length, 2 * batch.output.size()));
    }
    if (!worker.writer.writeValueLine(cells, lineNumber, batch.output.data() + batch.outputSize)) {
        batch.failure = worker.writer.takeFailure().withPath(sourceName_);
        return false;
    }
    batch.outputSize += length;
    return true;
}

// Finds the rows of a block as the reader finds them line by line: line
// breaks LF or CR LF, empty lines and lines the filter drops give no row.
void ParallelAdisWriter::convertBlock(Worker& worker, Batch& batch,
                                      std::span<std::string_view> cells) {
    // Room for a value line per line, once: growing it would leave the old
    // room behind in the allocator at every step.
    const std::size_t room = batch.blockLineCount * worker.writer.lineLength(cells.size());
    if (batch.output.size() < room) {
        batch.output.resize(room);
    }
    const std::string_view block = batch.block;
    long lineNumber = batch.blockFirstLine;
    long followingLine = 0; // the line of the next row, were it the next line
    std::size_t start = 0;
    for (; start < block.size(); ++lineNumber) {
        const void* found = std::memchr(block.data() + start, '\n', block.size() - start);
        const std::size_t end =
            found != nullptr
                ? static_cast<std::size_t>(static_cast<const char*>(found) - block.data())
                : block.size();
        std::string_view line = block.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty() || !PassesLineFilter(setup_, line)) {
            continue;
        }
        if (lineNumber != followingLine) { // only jumps are kept: note nothing else
            batch.blockLines.note(batch.blockRows, lineNumber);
        }
        followingLine = lineNumber + 1;
        if (!convertLine(worker, batch, line, lineNumber, cells)) {
            return;
        }
        ++batch.blockRows;
    }
}

void ParallelAdisWriter::convert(Worker& worker, Batch& batch) {
    std::vector<std::string_view> cells(static_cast<std::size_t>(columns_));
    // Batches are merged in order, so once the merged list is full nothing a
    // batch converted from now on finds can be kept.
    worker.writer.countFindingsOnly(findingsFull_.load(std::memory_order_relaxed));
    try {
        if (!batch.block.empty()) {
            convertBlock(worker, batch, cells);
        }
        std::size_t start = 0;
        for (std::size_t i = 0; i < batch.lines.size(); ++i) {
            const std::string_view line =
                std::string_view(batch.text).substr(start, batch.lineEnds[i] - start);
            start = batch.lineEnds[i];
            if (!convertLine(worker, batch, line, batch.lines[i], cells)) {
                break;
            }
        }
    } catch (const std::exception& error) {
        batch.failure = {ErrorCode::WriteFailed, std::string("conversion failed: ") + error.what(),
                         sourceName_};
    }
    batch.dateFailed = worker.writer.dateConversionFailed();
    batch.findings = worker.writer.takeFindings();
    batch.messages = worker.port.take();
}

Status ParallelAdisWriter::addRow(std::span<const std::string_view> cells, long sourceLine) {
    // Only the first row comes cut: it is converted here, before any batch.
    sourceLines_.note(rowsHanded_++, sourceLine);
    std::string output;
    Status status = firstRowWriter_->appendValueLine(cells, sourceLine, output);
    setup_.DateConversionFailed = firstRowWriter_->dateConversionFailed();
    dateMessageShown_ = setup_.DateConversionFailed;
    findings_.merge(firstRowWriter_->takeFindings());
    if (Status written = sink_.write(output); !written.ok()) {
        status = written;
    }
    if (!status.ok()) {
        failure_ = std::move(status).withPath(sourceName_);
    }
    return failure_;
}

Status ParallelAdisWriter::addLine(std::string_view line, long sourceLine) {
    sourceLines_.note(rowsHanded_++, sourceLine);
    Batch& batch = *current_;
    batch.text.append(line);
    batch.lineEnds.push_back(batch.text.size());
    batch.lines.push_back(sourceLine);
    if (batch.lines.size() < kBatchRows && batch.text.size() < kBatchBytes) {
        return failure_;
    }
    submitCurrent();
    // Keep a few batches on their way: enough to keep every helper busy, few
    // enough that memory stays small.
    return writeFinishedBatches(inFlight_.size() > 2 * threads_ + 2);
}

std::string& ParallelAdisWriter::blockStorage() {
    if (!current_->lines.empty()) {
        submitCurrent(); // lines handed one by one before: the block comes after them
    }
    return current_->blockText;
}

Status ParallelAdisWriter::addBlock(std::string_view lines, long firstLine, long lineCount) {
    current_->block = lines;
    current_->blockFirstLine = firstLine;
    current_->blockLineCount = static_cast<std::size_t>(std::max(lineCount, 0L));
    submitCurrent();
    return writeFinishedBatches(inFlight_.size() > 2 * threads_ + 2);
}

std::unique_ptr<ParallelAdisWriter::Batch> ParallelAdisWriter::freshBatch() {
    if (spare_.empty()) {
        return std::make_unique<Batch>();
    }
    std::unique_ptr<Batch> batch = std::move(spare_.back());
    spare_.pop_back();
    return batch;
}

void ParallelAdisWriter::submitCurrent() {
    {
        const std::lock_guard lock(mutex_);
        jobs_.push_back(current_.get());
    }
    jobsReady_.notify_one();
    inFlight_.push_back(std::move(current_));
    current_ = freshBatch();
}

Status ParallelAdisWriter::writeFinishedBatches(bool waitForHead) {
    while (!inFlight_.empty() && failure_.ok()) {
        Batch& head = *inFlight_.front();
        {
            std::unique_lock lock(mutex_);
            if (!head.done && !waitForHead) {
                return Status::Ok();
            }
            batchDone_.wait(lock, [&head] { return head.done; });
        }
        waitForHead = false;
        const Status written = writeBatch(head);
        head.clear();
        spare_.push_back(std::move(inFlight_.front()));
        inFlight_.pop_front();
        if (!written.ok()) {
            return written;
        }
    }
    return failure_;
}

Status ParallelAdisWriter::writeBatch(Batch& batch) {
    for (const auto& message : batch.messages) {
        // The runner tells about a date it cannot convert once per run.
        if (options_.variant == AdisVariant::Runner && message.number == msg::DateNotTranslated) {
            if (dateMessageShown_) {
                continue;
            }
            dateMessageShown_ = true;
        }
        DeferredPort::Replay({message}, context_.port);
    }
    setup_.DateConversionFailed = setup_.DateConversionFailed || batch.dateFailed;
    findings_.merge(batch.findings);
    sourceLines_.append(batch.blockLines, rowsHanded_, batch.blockRows);
    rowsHanded_ += batch.blockRows;
    blockRows_ += batch.blockRows;
    findingsFull_.store(findings_.full(), std::memory_order_relaxed);
    if (Status written = sink_.write(std::string_view(batch.output.data(), batch.outputSize));
        !written.ok()) {
        failure_ = written;
        return written;
    }
    if (!batch.failure.ok()) {
        if (batch.failure.code() == ErrorCode::ColumnCountMismatch) {
            if (options_.source.reportTooManyFields) {
                context_.port.showMessage(msg::ColumnCountMismatch, MessageIcon::Critical,
                                          MessageButtons::Ok);
            }
            setup_.ColumnCountMismatch = true;
        }
        failure_ = batch.failure;
    }
    return failure_;
}

Status ParallelAdisWriter::finish() {
    if (!failure_.ok()) {
        return failure_;
    }
    if (current_ && !current_->lines.empty()) {
        submitCurrent();
    }
    while (!inFlight_.empty() && failure_.ok()) {
        if (Status written = writeFinishedBatches(true); !written.ok()) {
            return written;
        }
    }
    return failure_;
}

} // namespace kolvane
