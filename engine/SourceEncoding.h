// SPDX-License-Identifier: MIT
// The encoding of a source file. The herd software reads Windows-1252; newer
// devices export UTF-8, whose letters would be cut in the middle of their
// bytes by column widths. Such a file is converted line by line before it is
// split; a Windows-1252 file is read byte for byte.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kolvane {

enum class SourceEncoding {
    Ansi,    // Windows-1252, or plain ASCII
    Utf8,    // valid UTF-8 holding letters beyond ASCII
    Utf8Bom, // UTF-8 with its byte order mark
    Utf16,   // UTF-16 with its byte order mark (either byte order)
};

// How much of the start of a file the guess looks at.
inline constexpr std::size_t kEncodingSampleBytes = std::size_t{64} << 10;

// Guesses from the first bytes of a file: a byte order mark, else text that is
// valid UTF-8 and holds a sequence beyond ASCII (a sequence cut by the end of
// the sample does not count against it).
SourceEncoding DetectSourceEncoding(std::string_view head);

// "Windows-1252 (ANSI)", "UTF-8", "UTF-8 with byte order mark", "UTF-16".
std::string_view SourceEncodingName(SourceEncoding encoding);

// UTF-16 text with its byte order mark, as UTF-8 (the mark dropped); a lone
// surrogate becomes U+FFFD, which no code page holds. False without a mark.
bool Utf16ToUtf8(std::string_view text, std::string& out);

// Appends `text` (UTF-8) to `out` in Windows-1252. A character without an
// equivalent, or a byte that is no UTF-8, becomes "?"; their number is returned.
std::size_t AppendUtf8AsAnsi(std::string_view text, std::string& out);

} // namespace kolvane
