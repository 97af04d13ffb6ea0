// SPDX-License-Identifier: MIT
#include "engine/StringTable.h"

#include <charconv>
#include <unordered_map>
#include <vector>

namespace kolvane {

// Generated at build time from resources/strings.tsv and resources/strings-common.tsv,
// already converted to the ANSI code page.
extern const char kStringTableTsv[];
extern const unsigned long kStringTableTsvSize;
extern const char kCommonStringsTsv[];
extern const unsigned long kCommonStringsTsvSize;

namespace {

constexpr int kBlockBases[] = {kSpanishBase, kEnglishBase, kGermanBase, kFrenchBase};
// strings.tsv: number, name, then the texts of the blocks in that order.
constexpr std::size_t kFirstText = 2;

template <typename Visitor> void forEachRow(std::string_view data, Visitor&& visit) {
    std::size_t pos = 0;
    while (pos < data.size()) {
        std::size_t end = data.find('\n', pos);
        if (end == std::string_view::npos) {
            end = data.size();
        }
        std::string_view line = data.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        pos = end + 1;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        std::vector<std::string_view> fields;
        std::size_t start = 0;
        for (;;) {
            const std::size_t tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab - start));
            if (tab == std::string_view::npos) {
                break;
            }
            start = tab + 1;
        }
        int number = 0;
        const auto first = fields.front();
        if (std::from_chars(first.data(), first.data() + first.size(), number).ec != std::errc{}) {
            continue; // the header row
        }
        visit(number, fields);
    }
}

std::unordered_map<int, std::string_view> buildTable() {
    std::unordered_map<int, std::string_view> table;
    forEachRow({kStringTableTsv, kStringTableTsvSize}, [&](int number, const auto& fields) {
        for (std::size_t block = 0; block < 4 && kFirstText + block < fields.size(); ++block) {
            table[1000 + number + kBlockBases[block]] = fields[kFirstText + block];
        }
    });
    forEachRow({kCommonStringsTsv, kCommonStringsTsvSize}, [&](int id, const auto& fields) {
        if (fields.size() > 1) {
            table[id] = fields[1];
        }
    });
    return table;
}

const std::unordered_map<int, std::string_view>& table() {
    static const auto instance = buildTable();
    return instance;
}

} // namespace

std::optional<std::string_view> FindTextById(int id) {
    const auto& texts = table();
    if (const auto it = texts.find(id); it != texts.end()) {
        return it->second;
    }
    return std::nullopt;
}

void Language::SetLanguage(std::string_view code) {
    code_ = std::string(code);
    if (code == "SP") {
        base_ = kSpanishBase;
    } else if (code == "EN") {
        base_ = kEnglishBase;
    } else if (code == "DE") {
        base_ = kGermanBase;
    } else if (code == "FR") {
        base_ = kFrenchBase;
    }
}

std::optional<std::string_view> Language::FindText(int number) const {
    return FindTextById(1000 + number + base_);
}

std::optional<std::string_view> Language::FindTextForSpanishId(int spanishId) const {
    return FindTextById(spanishId + base_);
}

std::string Language::LoadText(int number) const {
    return std::string(FindText(number).value_or(std::string_view{}));
}

std::string Language::FillText(int number, std::initializer_list<std::string_view> values) const {
    const std::string_view text = FindText(number).value_or(std::string_view{});
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const auto index = static_cast<std::size_t>(next - '1');
        if (text[i] == '%' && next >= '1' && next <= '9' && index < values.size()) {
            out += values.begin()[index];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string Language::CountText(int one, int many, std::size_t count) const {
    return count == 1 ? LoadText(one) : FillText(many, {std::to_string(count)});
}

} // namespace kolvane
