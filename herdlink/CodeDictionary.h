// SPDX-License-Identifier: MIT
// The code dictionary: the ADIS items the herd software accepts, in the SQLite
// file CodigosAds.db beside the program, table Codigos. The file ships with the
// program and is never created by it. Each operation opens the file, runs its
// statement with bound parameters and closes it again.
#pragma once

#include "engine/ImportSetup.h"
#include "engine/Messages.h"
#include "engine/Status.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kolvane {

inline constexpr const char* kCodeDictionaryFile = "CodigosAds.db";

// One row of Codigos, every field as the herd software delivered it: each
// exactly as wide as delivered (numbers right-aligned with blanks in front,
// texts padded with blanks).
struct CodeRow {
    std::string Mnemonico;   // 14
    std::string Codigo_ADIS; // 10
    std::string INDICE_ADS;  // 10; "         0" means no usable index
    std::string Explicacion; // 45
    std::string Decimales;   // 4
    std::string Ancho;       // 4
    std::string Tipo;        // 5: 1 yes/no, 2 integer, 3 decimals, 4 date, 5 time, 6 text
    std::string Import_All;  // 5: 0, 1, 2, 8, 17, 18

    friend bool operator==(const CodeRow&, const CodeRow&) = default;
};

// Field widths as the herd software delivers them, in field order.
inline constexpr int kCodeFieldWidths[] = {14, 10, 10, 45, 4, 4, 5, 5};

// A value as the herd software delivers it: a text left-aligned and padded with
// blanks, a number right-aligned with blanks in front; cut to the width.
std::string PadText(std::string_view text, std::size_t width);
std::string PadNumber(std::string_view number, std::size_t width);

// The whole number in a numeric field ("    4" is 4); 0 when it holds none.
int FieldNumber(std::string_view field);

// The string-table message of a data type (msg::DataTypeYesNo to msg::DataTypeText)
// or an import permission (msg::ImportRefused to msg::ImportInitOptionOther); 0 for
// a value without a text.
int TypeTextNumber(int tipo);

// The headings of the eight fields in a code list, as string-table messages.
inline constexpr int kCodeHeadings[] = {
    msg::CodesHeading,    msg::ItemNumberHeading, msg::IndexItemHeading, msg::DescriptionHeading,
    msg::DecimalsHeading, msg::WidthHeading,      msg::DataTypeHeading,  msg::ImportAllowedHeading};
int ImportTextNumber(int importAll);

class CodeDictionary {
public:
    explicit CodeDictionary(std::string path) : path_(std::move(path)) {}
    const std::string& path() const { return path_; }

    // Every row, in the order the database returns them.
    std::vector<CodeRow> allCodes(Status& status) const;
    // Rows whose description, mnemonic, ADIS number or index number contain
    // `text` anywhere, without regard to letter case. Every character is taken
    // literally (quotes, %, _ and * included).
    std::vector<CodeRow> search(std::string_view text, Status& status) const;
    // The row of a mnemonic: first looked for with one blank in front, then as
    // typed; letter case and trailing blanks do not matter.
    std::optional<CodeRow> findByMnemonic(std::string_view mnemonic, Status& status) const;
    // The data type of a mnemonic's code; 0 when it is not in the dictionary.
    int dataType(std::string_view mnemonic, Status& status) const;
    // The mnemonic of the code whose ADIS number is `indexNumber`, exactly as a
    // column holds it; never asked for "         0".
    std::optional<std::string> indexMnemonic(std::string_view indexNumber, Status& status) const;

private:
    std::string path_;
};

// DST files keep no data types: the dictionary tells which codes hold numbers.
// Fills DataType of every coded column; without a usable dictionary every
// type stays unknown.
void FillDataTypes(ImportSetup& setup, const CodeDictionary& dictionary);

} // namespace kolvane
