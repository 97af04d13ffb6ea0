// SPDX-License-Identifier: MIT
// The string table in four languages and the program's language state.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kolvane {

// Offsets of the language blocks: a text's id is 1000 + its number + the offset.
inline constexpr int kSpanishBase = 0;
inline constexpr int kEnglishBase = 9000;
inline constexpr int kGermanBase = 19000;
inline constexpr int kFrenchBase = 29000;

// Message numbers the engine uses itself.
namespace msg {
inline constexpr int Space = 105;
inline constexpr int Tabs = 106;
inline constexpr int BuildingColumns = 126;
inline constexpr int BuildingWindow = 127;
inline constexpr int ConvertingToAdis = 128;
inline constexpr int ImportingCodes = 137;
inline constexpr int IndexCodePrefix = 149;
inline constexpr int IndexCodeNeeds = 150;
inline constexpr int IndexCodeNotFound = 151;
inline constexpr int DateNotTranslated = 152;
inline constexpr int FileNotFound = 159;
inline constexpr int WindowMemory = 160;
inline constexpr int AdditionalLinesNotShown = 161;
inline constexpr int FixedColumnsCaption = 162;
inline constexpr int ColumnCountMismatch = 178;
inline constexpr int DoNotImport = 193;
inline constexpr int FactorOnText = 240;
inline constexpr int NoLinesToImport = 250;
} // namespace msg

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
    // A Spanish id as window designs hold it (1000 to 1261), moved to the current block.
    std::optional<std::string_view> FindTextForSpanishId(int spanishId) const;

    // Message 193: the mark of a column that is not imported.
    std::string DoNotImportText() const { return LoadText(msg::DoNotImport); }

private:
    std::string code_ = "EN";
    int base_ = kSpanishBase;
};

} // namespace kolvane
