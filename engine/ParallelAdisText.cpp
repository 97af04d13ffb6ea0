// SPDX-License-Identifier: MIT
#include "engine/ParallelAdisText.h"

#include "engine/DeferredPort.h"
#include "engine/HugePages.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

namespace kolvane {
namespace {

constexpr std::size_t kChunkRows = 4096;

// What the rows of one chunk gave, filled by the helper that converted them.
struct Chunk {
    std::vector<DeferredPort::Message> messages;
    ValueFindings findings;
    Status failure;
    std::exception_ptr error;
    std::size_t failedRow = 0; // the row that failed, when one did
    bool dateFailed = false;
    bool done = false;
};

class TextBuilder {
public:
    TextBuilder(ImportSetup& setup, const EngineContext& context, AdisVariant variant,
                unsigned threads)
        : setup_(setup), context_(context), variant_(variant), rows_(setup.SourceTable.rowCount()),
          chunks_((rows_ + kChunkRows - 1) / kChunkRows) {
        // Writers are built here, one after another, before any thread runs.
        for (unsigned i = 0; i < threads; ++i) {
            helpers_.push_back(std::make_unique<Helper>(context, setup, variant));
        }
        lineLength_ = helpers_.front()->writer.lineLength(
            static_cast<std::size_t>(setup.SourceTable.columnCount()));
    }
    ~TextBuilder() { stopHelpers(); }
    TextBuilder(const TextBuilder&) = delete;
    TextBuilder& operator=(const TextBuilder&) = delete;

    Status run();

private:
    struct Helper {
        Helper(const EngineContext& shared, ImportSetup& setup, AdisVariant variant)
            : context{shared.language, port, shared.numbers, shared.clock, shared.stop},
              writer(setup, context, variant) {}

        DeferredPort port;
        EngineContext context;
        AdisValueWriter writer;
        std::thread thread;
    };

    void work(Helper& helper);
    void convertChunk(Helper& helper, Chunk& chunk, std::size_t first,
                      std::span<std::string_view> cells);
    Chunk& waitFor(std::size_t index);
    void replay(const Chunk& chunk);
    void stopHelpers();

    ImportSetup& setup_;
    const EngineContext& context_;
    AdisVariant variant_;
    std::size_t rows_;
    std::size_t lineLength_ = 0;
    char* lines_ = nullptr; // where row 0's line goes
    std::vector<std::unique_ptr<Helper>> helpers_;
    std::vector<Chunk> chunks_;
    std::atomic<std::size_t> nextChunk_{0};
    std::atomic<bool> abandon_{false};      // chunks not yet taken are not needed
    std::atomic<bool> findingsFull_{false}; // later chunks only count their findings
    bool dateMessageShown_ = false;
    std::mutex mutex_;
    std::condition_variable chunkDone_;
};

void TextBuilder::work(Helper& helper) {
    std::vector<std::string_view> cells(static_cast<std::size_t>(setup_.SourceTable.columnCount()));
    for (;;) {
        const std::size_t index = nextChunk_.fetch_add(1);
        if (index >= chunks_.size() || abandon_.load()) {
            return;
        }
        Chunk& chunk = chunks_[index];
        convertChunk(helper, chunk, index * kChunkRows, cells);
        const bool failed = !chunk.failure.ok() || chunk.error;
        {
            const std::lock_guard lock(mutex_);
            chunk.done = true;
        }
        chunkDone_.notify_all();
        if (failed) {
            abandon_ = true; // rows after a failure are never converted
        }
    }
}

void TextBuilder::convertChunk(Helper& helper, Chunk& chunk, std::size_t first,
                               std::span<std::string_view> cells) {
    // Chunks are merged in order, so once the merged list is full nothing a
    // chunk converted from now on finds can be kept.
    helper.writer.countFindingsOnly(findingsFull_.load(std::memory_order_relaxed));
    const std::size_t last = std::min(rows_, first + kChunkRows);
    const SourceTable& table = setup_.SourceTable;
    std::size_t r = first;
    try {
        for (; r < last; ++r) {
            if (context_.stopRequested()) {
                chunk.failure = StoppedStatus(setup_.SourceFilePath);
                break;
            }
            table.row(r, cells);
            if (!helper.writer.writeValueLine(cells, table.sourceLine(r),
                                              lines_ + r * lineLength_)) {
                chunk.failure = helper.writer.takeFailure();
                break;
            }
        }
    } catch (...) {
        chunk.error = std::current_exception();
    }
    chunk.failedRow = r;
    chunk.dateFailed = helper.writer.dateConversionFailed();
    chunk.findings = helper.writer.takeFindings();
    chunk.messages = helper.port.take();
}

Chunk& TextBuilder::waitFor(std::size_t index) {
    Chunk& chunk = chunks_[index];
    std::unique_lock lock(mutex_);
    chunkDone_.wait(lock, [&chunk] { return chunk.done; });
    return chunk;
}

void TextBuilder::replay(const Chunk& chunk) {
    for (const auto& message : chunk.messages) {
        // The runner tells about a date it cannot convert once per run.
        if (variant_ == AdisVariant::Runner && message.number == msg::DateNotTranslated) {
            if (dateMessageShown_) {
                continue;
            }
            dateMessageShown_ = true;
        }
        DeferredPort::Replay({message}, context_.port);
    }
}

void TextBuilder::stopHelpers() {
    abandon_ = true;
    for (auto& helper : helpers_) {
        if (helper->thread.joinable()) {
            helper->thread.join();
        }
    }
}

Status TextBuilder::run() {
    std::string& text = setup_.AdisText;
    const std::size_t start = text.size();
    text.reserve(start + rows_ * lineLength_ + kCrLf.size() + kEndLine.size());
    AdviseHugePages(text.data() + start, text.capacity() - start);
    text.resize(start + rows_ * lineLength_);
    lines_ = text.data() + start;
    for (auto& helper : helpers_) {
        helper->thread = std::thread([this, &helper = *helper] { work(helper); });
    }
    ValueFindings findings;
    bool dateFailed = false;
    const Chunk* failed = nullptr;
    for (std::size_t index = 0; index < chunks_.size(); ++index) {
        if (context_.stopRequested()) {
            // Asked between two chunks: the rows after them are not taken,
            // however far the helpers got.
            stopHelpers();
            setup_.AdisFindings = std::move(findings);
            text.resize(start + index * kChunkRows * lineLength_);
            return StoppedStatus(setup_.SourceFilePath);
        }
        const Chunk& chunk = waitFor(index);
        replay(chunk);
        findings.merge(chunk.findings);
        findingsFull_.store(findings.full(), std::memory_order_relaxed);
        dateFailed = dateFailed || chunk.dateFailed;
        if (!chunk.failure.ok() || chunk.error) {
            failed = &chunk;
            break;
        }
        context_.port.setProgress(
            static_cast<std::int64_t>(std::min(rows_, (index + 1) * kChunkRows)));
    }
    stopHelpers();
    setup_.AdisFindings = std::move(findings);
    if (failed == nullptr) {
        setup_.DateConversionFailed = dateFailed;
        return Status::Ok();
    }
    text.resize(start + failed->failedRow * lineLength_);
    if (failed->error) {
        std::rethrow_exception(failed->error);
    }
    if (failed->failure.code() != ErrorCode::Cancelled) {
        setup_.DateConversionFailed = dateFailed;
    }
    return failed->failure;
}

} // namespace

unsigned AdisTextThreads(unsigned threads) {
    return threads != 0 ? threads : std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
}

Status AppendValueLinesOnHelpers(ImportSetup& setup, const EngineContext& context,
                                 AdisVariant variant, unsigned threads) {
    TextBuilder builder(setup, context, variant, std::max(threads, 1u));
    return builder.run();
}

} // namespace kolvane
