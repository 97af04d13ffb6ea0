// SPDX-License-Identifier: MIT
#include "cli/ElapsedLine.h"

#include "cli/SourceInput.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace kolvane::cli {
namespace {

namespace fs = std::filesystem;

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

std::string contentsOf(std::FILE* file) {
    std::rewind(file);
    std::string text;
    char block[256];
    while (const std::size_t got = std::fread(block, 1, sizeof block, file)) {
        text.append(block, got);
    }
    return text;
}

TEST(ElapsedLine, LeavesABlankLineBehindAndNothingWhenNotShown) {
    const File out(std::tmpfile(), &std::fclose);
    ASSERT_TRUE(out);
    {
        const ElapsedLine line("Läuft ...", true,
                               {.out = out.get(), .firstShownAfter = std::chrono::milliseconds(0)});
    }
    // "Läuft ... 0 s" is 13 characters: as many blanks wipe it out.
    EXPECT_EQ(contentsOf(out.get()), "\rLäuft ... 0 s\r" + std::string(13, ' ') + "\r");

    // Off a terminal, and a run quicker than the first second: not a byte.
    for (const bool show : {false, true}) {
        const File quiet(std::tmpfile(), &std::fclose);
        { const ElapsedLine line("Running", show, {.out = quiet.get()}); }
        EXPECT_EQ(contentsOf(quiet.get()), "") << show;
    }
}

TEST(SourceInput, StandardInputIsCopiedPrivatelyAndRemovedAfterwards) {
    const File in(std::tmpfile(), &std::fclose);
    std::string bytes = "276001;12.5\r\n";
    bytes += std::string(100000, 'x') + '\0' + "\xE4\n"; // longer than one block, any byte
    std::fwrite(bytes.data(), 1, bytes.size(), in.get());
    std::rewind(in.get());
    std::string path;
    {
        std::unique_ptr<TemporaryCopy> copy;
        ASSERT_TRUE(TemporaryCopy::Make(in.get(), copy).ok());
        path = copy->path();
        const File back(std::fopen(path.c_str(), "rb"), &std::fclose);
        EXPECT_EQ(contentsOf(back.get()), bytes);
        EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write);
    }
    EXPECT_FALSE(fs::exists(path));

    SourceInput file;
    ASSERT_TRUE(file.open("/farm/in.txt").ok());
    EXPECT_EQ(file.findingsName(), "/farm/in.txt");
    const Status failed(ErrorCode::NoLinesToImport, "No lines", "/farm/in.txt");
    EXPECT_EQ(file.named(failed).path(), "/farm/in.txt");
}

} // namespace
} // namespace kolvane::cli
