// SPDX-License-Identifier: MIT
#include "converter/ShownLines.h"

#include "engine/TxtTOArray.h"

#include <algorithm>

namespace kolvane::converter {
namespace {

// Lines of the file, counted up to `enough`: no more are needed to know how many
// to show, so a large file is not read to its end.
Status countLinesUpTo(const SourceData& source, long enough, long& count) {
    LineReader reader;
    if (Status opened = source.openIn(reader); !opened.ok()) {
        return opened;
    }
    std::string_view line;
    count = 0;
    while (count < enough) {
        const auto result = reader.next(line);
        if (result == LineReader::Result::Error) {
            return reader.error();
        }
        if (result == LineReader::Result::End) {
            break;
        }
        ++count;
    }
    return Status::Ok();
}

} // namespace

ShownLines ReadShownLines(const ImportSetup& settings, const SourceData& source, UserPort& port,
                          const std::atomic<bool>& stop) {
    const long outside = long{std::max<std::int16_t>(settings.TopLinesToSkip, 0)} +
                         long{std::max<std::int16_t>(settings.BottomLinesToSkip, 0)};
    ShownLines shown;
    long count = 0;
    shown.status = countLinesUpTo(source, outside + kMaxShownLines, count);
    if (!shown.status.ok()) {
        return shown;
    }
    SourceLineReader reader(settings);
    shown.status = reader.open(source);
    if (!shown.status.ok()) {
        return shown;
    }
    const long reads = std::clamp(count - outside, 0L, kMaxShownLines);
    port.startProgress(msg::BuildingWindow, reads);
    std::string_view line;
    for (long read = 0; read < reads && !stop.load(std::memory_order_relaxed); ++read) {
        const auto result = reader.next(line);
        if (result == LineReader::Result::Error) {
            shown.status = reader.error();
            break;
        }
        if (result == LineReader::Result::End) {
            break;
        }
        shown.lines.emplace_back(line.substr(0, kMaxShownWidth));
        port.setProgress(read + 1);
    }
    port.endProgress();
    return shown;
}

} // namespace kolvane::converter
