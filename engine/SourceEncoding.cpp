// SPDX-License-Identifier: MIT
#include "engine/SourceEncoding.h"

#include <array>
#include <cstdint>
#include <optional>

namespace kolvane {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The characters Windows-1252 puts at 0x80 to 0x9F (0 where it has none).
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::optional<char> ansiOf(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
        return static_cast<char>(code);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == code && code != 0) {
            return static_cast<char>(0x80 + i);
        }
    }
    return std::nullopt;
}

// The length of the UTF-8 sequence at `text` and its character; 0 when the
// bytes are no valid sequence, -1 when the text ends inside one.
int decode(std::string_view text, char32_t& code) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t first = byte(0);
    int length = 0;
    if (first < 0x80) {
        code = first;
        return 1;
    }
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
        code = first & 0x1F;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        code = first & 0x0F;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        code = first & 0x07;
    } else {
        return 0;
    }
    for (int i = 1; i < length; ++i) {
        if (static_cast<std::size_t>(i) >= text.size()) {
            return -1;
        }
        if ((byte(static_cast<std::size_t>(i)) & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (byte(static_cast<std::size_t>(i)) & 0x3F);
    }
    // Overlong forms, surrogates and codes beyond Unicode are no valid UTF-8.
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kLeast[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
        return 0;
    }
    return length;
}

} // namespace

SourceEncoding DetectSourceEncoding(std::string_view head) {
    if (head.starts_with(kUtf8Bom)) {
        return SourceEncoding::Utf8Bom;
    }
    if (head.starts_with("\xFF\xFE") || head.starts_with("\xFE\xFF")) {
        return SourceEncoding::Utf16;
    }
    bool beyondAscii = false;
    while (!head.empty()) {
        char32_t code = 0;
        const int length = decode(head, code);
        if (length < 0) {
            break; // cut by the end of the sample
        }
        if (length == 0) {
            return SourceEncoding::Ansi;
        }
        beyondAscii = beyondAscii || length > 1;
        head.remove_prefix(static_cast<std::size_t>(length));
    }
    return beyondAscii ? SourceEncoding::Utf8 : SourceEncoding::Ansi;
}

std::string_view SourceEncodingName(SourceEncoding encoding) {
    switch (encoding) {
    case SourceEncoding::Utf8:
        return "UTF-8";
    case SourceEncoding::Utf8Bom:
        return "UTF-8 with byte order mark";
    case SourceEncoding::Utf16:
        return "UTF-16";
    case SourceEncoding::Ansi:
        break;
    }
    return "Windows-1252 (ANSI)";
}

namespace {

void appendUtf8(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

} // namespace

bool Utf16ToUtf8(std::string_view text, std::string& out) {
    const bool little = text.starts_with("\xFF\xFE");
    if (!little && !text.starts_with("\xFE\xFF")) {
        return false;
    }
    out.clear();
    out.reserve(text.size() / 2);
    const auto unit = [&](std::size_t at) {
        const auto first = static_cast<std::uint8_t>(text[at]);
        const auto second = static_cast<std::uint8_t>(text[at + 1]);
        return static_cast<char32_t>(little ? first | (second << 8) : (first << 8) | second);
    };
    constexpr char32_t kReplacement = 0xFFFD;
    for (std::size_t at = 2; at + 1 < text.size(); at += 2) {
        char32_t code = unit(at);
        if (code >= 0xD800 && code <= 0xDBFF && at + 3 < text.size()) {
            const char32_t low = unit(at + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                at += 2;
            } else {
                code = kReplacement;
            }
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = kReplacement;
        }
        appendUtf8(code, out);
    }
    return true;
}

std::size_t AppendUtf8AsAnsi(std::string_view text, std::string& out) {
    std::size_t replaced = 0;
    while (!text.empty()) {
        char32_t code = 0;
        const int length = decode(text, code);
        const std::optional<char> ansi = length > 0 ? ansiOf(code) : std::nullopt;
        out += ansi.value_or('?');
        replaced += ansi ? 0 : 1;
        text.remove_prefix(length > 0 ? static_cast<std::size_t>(length) : 1);
    }
    return replaced;
}

} // namespace kolvane
