// SPDX-License-Identifier: MIT
// Lines read a block at a time and cut on the helper threads must be the lines,
// line numbers and rows that reading line by line gives.
#include "engine/AdisConversion.h"
#include "engine/LineReader.h"
#include "tests/support/EngineFixture.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace kolvane {
namespace {

struct Lines {
    std::vector<std::string> lines;
    long lineNumber = 0;
    LineReader::Result last = LineReader::Result::End;
    long errorLine = 0;
};

Lines lineByLine(LineReader& reader) {
    Lines read;
    std::string_view line;
    while ((read.last = reader.next(line)) == LineReader::Result::Line) {
        read.lines.emplace_back(line);
    }
    read.lineNumber = reader.lineNumber();
    read.errorLine = reader.error().line();
    return read;
}

// Cuts blocks into lines as the helpers do: LF or CR LF.
Lines inBlocks(LineReader& reader, std::size_t blockBytes) {
    Lines read;
    std::string storage;
    std::string_view block;
    while ((read.last = reader.nextBlock(storage, block, blockBytes)) == LineReader::Result::Line) {
        EXPECT_FALSE(block.empty());
        std::size_t start = 0;
        while (start < block.size()) {
            const std::size_t end = std::min(block.find('\n', start), block.size());
            std::string line(block.substr(start, end - start));
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            read.lines.push_back(line);
            start = end + 1;
        }
    }
    read.lineNumber = reader.lineNumber();
    read.errorLine = reader.error().line();
    return read;
}

class BlockReading : public ::testing::Test {
protected:
    std::string writeFile(const std::string& text) {
        const auto path = std::filesystem::temp_directory_path() /
                          ("kolvane-blocks-" + std::to_string(::getpid()) + ".txt");
        std::ofstream(path, std::ios::binary) << text;
        paths_.push_back(path);
        return path.string();
    }
    ~BlockReading() override {
        for (const auto& path : paths_) {
            std::filesystem::remove(path);
        }
    }

    void expectSameLines(const std::string& text, std::size_t maxLineLength) {
        const std::string path = writeFile(text);
        for (const std::size_t blockBytes : {1u, 2u, 3u, 7u, 64u, 1u << 20}) {
            for (const bool inMemory : {true, false}) {
                LineReader one(maxLineLength);
                LineReader blocks(maxLineLength);
                if (inMemory) {
                    one.openText(text);
                    blocks.openText(text);
                } else {
                    ASSERT_TRUE(one.open(path).ok());
                    ASSERT_TRUE(blocks.open(path).ok());
                }
                // The first line is always read on its own, as the first row is.
                std::string_view first;
                one.next(first);
                blocks.next(first);
                const Lines expected = lineByLine(one);
                const Lines got = inBlocks(blocks, blockBytes);
                const std::string where =
                    std::to_string(blockBytes) + (inMemory ? " in memory" : " from a file");
                EXPECT_EQ(got.lines, expected.lines) << where;
                EXPECT_EQ(got.lineNumber, expected.lineNumber) << where;
                EXPECT_EQ(got.last, expected.last) << where;
                EXPECT_EQ(got.errorLine, expected.errorLine) << where;
                EXPECT_EQ(blocks.bytesConsumed(), one.bytesConsumed()) << where;
            }
        }
    }

private:
    std::vector<std::filesystem::path> paths_;
};

TEST_F(BlockReading, SameLinesWhereverTheBlocksEnd) {
    expectSameLines("head\r\na;b\r\n\r\nc;d\n\ne;f", 1000);
    expectSameLines("head\na\r\nb\r\n", 1000); // CR LF split by many block ends
    expectSameLines("head\n\n\n\r\n\r", 1000); // empty lines, a lone CR at the end
    expectSameLines("only one line", 1000);
    expectSameLines("", 1000);
}

TEST_F(BlockReading, AnOverlongLineFailsOnTheSameLine) {
    const std::string longLine(40, 'x');
    expectSameLines("head\nshort\n" + longLine + "\nshort\n", 20);
    expectSameLines("head\nshort\n" + longLine, 20); // the last line, without a break
    expectSameLines("head\n" + std::string(20, 'y') + "\r\nok\n", 20);
}

TEST_F(BlockReading, AFileThatGrowsAfterItWasOpenedIsReadToItsEnd) {
    // The room is sized from the file as it was when opened: what is added
    // later, a line of megabytes among it, is still read whole.
    const std::string path = writeFile("head\nrow\n");
    LineReader reader(std::size_t{8} << 20);
    ASSERT_TRUE(reader.open(path).ok());
    std::string added;
    for (int i = 0; i < 20000; ++i) {
        added += "line " + std::to_string(i) + "\n";
    }
    const std::string longLine(std::size_t{3} << 20, 'x');
    std::ofstream(path, std::ios::binary | std::ios::app) << added << longLine << "\nlast";
    const Lines read = lineByLine(reader);
    ASSERT_EQ(read.lines.size(), 20004u);
    EXPECT_EQ(read.lines[1], "row");
    EXPECT_EQ(read.lines[20001], "line 19999");
    EXPECT_TRUE(read.lines[20002] == longLine);
    EXPECT_EQ(read.lines.back(), "last");
}

// A whole conversion: blocks on helpers against one thread, line by line.
class BlockConversion : public testing::EngineFixture {
protected:
    std::string convert(const std::string& text, unsigned threads, bool fromFile,
                        std::vector<long>& lines) {
        ImportSetup copy = setup;
        port.messages.clear();
        ConversionOptions options;
        options.threads = threads;
        StringSink sink;
        const std::string path = fromFile ? writeFile(text) : "";
        const SourceData source =
            fromFile ? SourceData::file(path) : SourceData::text(text, "in.txt");
        const auto result = ConvertSourceToAdis(copy, context(), source, options, sink);
        lines.clear();
        for (std::size_t row = 0; row < result.rows; ++row) {
            lines.push_back(result.sourceLines.line(row));
        }
        if (fromFile) {
            std::filesystem::remove(path);
        }
        // The file's name aside: the code and line of the status.
        return sink.text + "|" + std::to_string(static_cast<int>(result.status.code())) + " " +
               std::to_string(result.status.line()) + "|" + std::to_string(result.findings.total());
    }

    void expectSame(const std::string& text) {
        std::vector<long> aloneLines;
        const std::string alone = convert(text, 1, false, aloneLines);
        const std::vector<int> aloneMessages = port.messages;
        for (const bool fromFile : {false, true}) {
            std::vector<long> helpedLines;
            const std::string helped = convert(text, 2, fromFile, helpedLines);
            // Not EXPECT_EQ: a difference would print megabytes.
            EXPECT_TRUE(helped == alone)
                << (fromFile ? "from a file: " : "in memory: ") << helped.size() << " bytes, "
                << alone.size() << " expected; ends "
                << helped.substr(helped.size() - std::min<std::size_t>(helped.size(), 120))
                << " instead of "
                << alone.substr(alone.size() - std::min<std::size_t>(alone.size(), 120));
            EXPECT_EQ(port.messages, aloneMessages);
            EXPECT_TRUE(helpedLines == aloneLines)
                << helpedLines.size() << " rows' lines, " << aloneLines.size() << " expected";
        }
    }

    static std::string writeFile(const std::string& text) {
        const auto path = std::filesystem::temp_directory_path() /
                          ("kolvane-block-conversion-" + std::to_string(::getpid()) + ".txt");
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    void SetUp() override {
        const auto column = [](const char* mnemonic, const char* width) {
            ColumnDefinition definition;
            definition.Mnemonic = mnemonic;
            definition.ItemNumber = "900080";
            definition.Width = width;
            return definition;
        };
        ColumnDefinition amount = column("A", "06");
        amount.DecimalSeparator = ".";
        amount.Decimals = "2";
        amount.CorrectionFactor = "*10";
        setup.Separator = ";";
        setup.ColumnTable = {column("ID", "08"), amount, column("C", "04")};
    }

    static std::string rows(int count) {
        std::string text;
        for (int r = 1; r <= count; ++r) {
            text += (r % 3 == 0 ? "X" : "K") + std::to_string(r) + ";-" + std::to_string(r % 97) +
                    "." + std::to_string(r % 10) + ";c";
            text += r % 11 == 0 ? "\n\n" : "\r\n";
        }
        return text;
    }
};

TEST_F(BlockConversion, FilteredLinesEmptyLinesAndFixedWidthAsLineByLine) {
    const std::string text = rows(30000); // several blocks
    expectSame(text);
    setup.LineFilterMode = 1;
    setup.LineFilterText = "X";
    expectSame(text);
    setup.LineFilterMode = 2;
    expectSame(text);
    setup.LineFilterMode = 0;
    setup.Separator = std::string(kFixedColumns);
    setup.FixedColumnStarts = {0, 4, 9};
    expectSame(text);
}

TEST_F(BlockConversion, AFieldTooManyLateInTheFileStopsThere) {
    std::string text = rows(30000);
    text.insert(text.find("K25000;"), "K24999b;1;c;extra\n");
    expectSame(text);
}

} // namespace
} // namespace kolvane
