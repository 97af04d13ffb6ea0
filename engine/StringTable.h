// SPDX-License-Identifier: MIT
// The string table in four languages and the program's language state.
#pragma once

// msg::<name>: the number of every message, generated from resources/strings.tsv.
#include "engine/Messages.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace kolvane {

// Offsets of the language blocks: a text's id is 1000 + its number + the offset.
inline constexpr int kSpanishBase = 0;
inline constexpr int kEnglishBase = 9000;
inline constexpr int kGermanBase = 19000;
inline constexpr int kFrenchBase = 29000;

// Absolute ids shared by every language: the font of the runner's windows.
inline constexpr int kFontNameId = 20;
inline constexpr int kFontSizeId = 21;

// Looks up a text by its absolute id (for example 10250). Texts are bytes in the
// ANSI code page. An id without an entry yields nothing.
std::optional<std::string_view> FindTextById(int id);

// The language state: one instance per program, owned by the program's start-up.
class Language {
public:
    // As at program start: code "EN", offset 0 (Spanish) until SetLanguage runs.
    Language() = default;
    explicit Language(std::string_view code) { SetLanguage(code); }

    // "SP", "EN", "DE", "FR" select their block; any other code is kept as the
    // code but leaves the offset unchanged.
    void SetLanguage(std::string_view code);

    const std::string& LanguageCode() const { return code_; }
    int LanguageBase() const { return base_; }

    // Message `number` (0 to 261) of the current block; "" when it has no entry.
    std::string LoadText(int number) const;
    std::optional<std::string_view> FindText(int number) const;
    // Message `number` with %1, %2, ... replaced by `values` in that order.
    std::string FillText(int number, std::initializer_list<std::string_view> values) const;
    // `one` for a count of 1, otherwise `many` with %1 replaced by the count
    // ("1 value cut", "3 values cut").
    std::string CountText(int one, int many, std::size_t count) const;
    // A Spanish id as window designs hold it (1000 to 1261), moved to the current block.
    std::optional<std::string_view> FindTextForSpanishId(int spanishId) const;

    // msg::DoNotImport: the mark of a column that is not imported.
    std::string DoNotImportText() const { return LoadText(msg::DoNotImport); }

private:
    std::string code_ = "EN";
    int base_ = kSpanishBase;
};

} // namespace kolvane
