// SPDX-License-Identifier: MIT
#include "cli/CodeListFormats.h"

#include "engine/Ansi.h"

#include <algorithm>
#include <cstdio>

namespace kolvane::cli {
namespace {

// A field as the herd software delivered it, without the blanks that pad it.
std::string trimmed(std::string_view field) {
    const std::size_t start = field.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        return {};
    }
    return std::string(field.substr(start, field.find_last_not_of(' ') - start + 1));
}

// The fields of one code, in UTF-8, for the formats for scripts.
struct CodeFields {
    std::string mnemonic, item, index, description;
    int decimals = 0, width = 0, type = 0, import = 0;
    std::string typeText, importText;
};

CodeFields fieldsOf(const CodeRow& row, const Language& language) {
    CodeFields fields;
    fields.mnemonic = AnsiToUtf8(trimmed(row.Mnemonico));
    fields.item = AnsiToUtf8(trimmed(row.Codigo_ADIS));
    // "0" is the dictionary's way of saying that a code has no usable index.
    fields.index = FieldNumber(row.INDICE_ADS) == 0 ? "" : AnsiToUtf8(trimmed(row.INDICE_ADS));
    fields.description = AnsiToUtf8(trimmed(row.Explicacion));
    fields.decimals = FieldNumber(row.Decimales);
    fields.width = FieldNumber(row.Ancho);
    fields.type = FieldNumber(row.Tipo);
    fields.import = FieldNumber(row.Import_All);
    fields.typeText = AnsiToUtf8(language.LoadText(TypeTextNumber(fields.type)));
    fields.importText = AnsiToUtf8(language.LoadText(ImportTextNumber(fields.import)));
    return fields;
}

constexpr const char* kFieldNames[] = {"mnemonic", "item", "index",    "description", "decimals",
                                       "width",    "type", "typeText", "import",      "importText"};

std::string tableText(const std::vector<CodeRow>& rows, const Language& language) {
    // A line break or tab in a stored value would break the table's lines.
    const auto cell = [](std::string_view ansi) { return TsvField(AnsiToUtf8(ansi)); };
    std::vector<std::vector<std::string>> cells;
    std::vector<std::string> titles;
    for (const int heading : kCodeHeadings) {
        titles.push_back(cell(language.LoadText(heading)));
    }
    cells.push_back(std::move(titles));
    for (const CodeRow& row : rows) {
        cells.push_back({cell(row.Mnemonico), cell(row.Codigo_ADIS), cell(row.INDICE_ADS),
                         cell(row.Explicacion), cell(row.Decimales), cell(row.Ancho),
                         cell(language.LoadText(TypeTextNumber(FieldNumber(row.Tipo)))),
                         cell(language.LoadText(ImportTextNumber(FieldNumber(row.Import_All))))});
    }
    return AlignedColumns(cells);
}

std::string tsvText(const std::vector<CodeRow>& rows, const Language& language) {
    std::string text;
    for (const char* name : kFieldNames) {
        text += std::string(text.empty() ? "" : "\t") + name;
    }
    text += '\n';
    for (const CodeRow& row : rows) {
        const CodeFields f = fieldsOf(row, language);
        const std::string values[] = {f.mnemonic,
                                      f.item,
                                      f.index,
                                      f.description,
                                      std::to_string(f.decimals),
                                      std::to_string(f.width),
                                      std::to_string(f.type),
                                      f.typeText,
                                      std::to_string(f.import),
                                      f.importText};
        for (std::size_t i = 0; i < std::size(values); ++i) {
            text += (i == 0 ? "" : "\t") + TsvField(values[i]);
        }
        text += '\n';
    }
    return text;
}

std::string jsonObject(const CodeFields& f) {
    const auto text = [](const char* name, const std::string& value) {
        return JsonString(name) + ": " + JsonString(value);
    };
    const auto number = [](const char* name, int value) {
        return JsonString(name) + ": " + std::to_string(value);
    };
    const std::string index = f.index.empty() ? "null" : JsonString(f.index);
    return "{" + text("mnemonic", f.mnemonic) + ", " + text("item", f.item) + ", " +
           JsonString("index") + ": " + index + ", " + text("description", f.description) + ", " +
           number("decimals", f.decimals) + ", " + number("width", f.width) + ", " +
           number("type", f.type) + ", " + text("typeText", f.typeText) + ", " +
           number("import", f.import) + ", " + text("importText", f.importText) + "}";
}

std::string jsonText(const std::vector<CodeRow>& rows, const Language& language) {
    std::string text = "[";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        text += (i == 0 ? "\n  " : ",\n  ") + jsonObject(fieldsOf(rows[i], language));
    }
    return text + (rows.empty() ? "]\n" : "\n]\n");
}

} // namespace

std::size_t Utf8Length(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80; // not a continuation byte
    }));
}

std::string AlignedColumns(const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (std::size_t i = 0; i < row.size(); ++i) {
            widths[i] = std::max(widths[i], Utf8Length(row[i]));
        }
    }
    std::string text;
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            text += row[i];
            if (i + 1 < row.size()) {
                text += std::string(widths[i] - Utf8Length(row[i]) + 1, ' ');
            }
        }
        text += '\n';
    }
    return text;
}

std::string TsvField(std::string_view utf8) {
    std::string field(utf8);
    std::replace_if(
        field.begin(), field.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; },
        ' ');
    return field;
}

std::string JsonString(std::string_view utf8) {
    std::string text = "\"";
    for (const char c : utf8) {
        switch (c) {
        case '"':
            text += "\\\"";
            break;
        case '\\':
            text += "\\\\";
            break;
        case '\n':
            text += "\\n";
            break;
        case '\r':
            text += "\\r";
            break;
        case '\t':
            text += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                text += escaped;
            } else {
                text += c;
            }
        }
    }
    return text + '"';
}

std::string CodeListText(const std::vector<CodeRow>& rows, const Language& language,
                         CodeListFormat format) {
    switch (format) {
    case CodeListFormat::Tsv:
        return tsvText(rows, language);
    case CodeListFormat::Json:
        return jsonText(rows, language);
    case CodeListFormat::Table:
        break;
    }
    return tableText(rows, language);
}

} // namespace kolvane::cli
