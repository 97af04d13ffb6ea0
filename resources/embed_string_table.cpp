// SPDX-License-Identifier: MIT
// Build tool: checks the UTF-8 string tables and writes them, converted to the
// ANSI code page, as byte arrays into a C++ source file, and writes a header
// with a named constant for every message number of strings.tsv.
//   embed_string_table strings.tsv strings-common.tsv output.cpp Messages.h
#include "engine/Ansi.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// strings.tsv: number, name, then the texts of the four languages.
constexpr std::size_t kNameField = 1;
constexpr std::size_t kMessageFields = 6;

struct Row {
    int lineNumber = 0;
    std::vector<std::string> fields;
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error(path + ": cannot be read");
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> split(const std::string& line, char separator) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(separator, start);
        fields.push_back(line.substr(start, end - start));
        if (end == std::string::npos) {
            return fields;
        }
        start = end + 1;
    }
}

std::string where(const std::string& path, int lineNumber) {
    return path + ":" + std::to_string(lineNumber) + ": ";
}

// Checks every data row: a number in range, the expected field count, no
// number twice, and every character representable in the code page.
std::vector<Row> check(const std::string& path, const std::string& utf8, std::size_t fieldCount,
                       int low, int high) {
    std::vector<Row> rows;
    std::set<int> seen;
    int lineNumber = 0;
    for (const std::string& line : split(utf8, '\n')) {
        ++lineNumber;
        const std::string here = where(path, lineNumber);
        if (line.empty() || line.front() == '#' ||
            !std::isdigit(static_cast<unsigned char>(line[0]))) {
            continue;
        }
        if (line.find('\r') != std::string::npos) {
            throw std::runtime_error(here + "CR in the line (the table uses LF line ends)");
        }
        auto fields = split(line, '\t');
        if (fields.size() != fieldCount) {
            throw std::runtime_error(here + "expected " + std::to_string(fieldCount) + " fields");
        }
        const int number = std::stoi(fields[0]);
        if (number < low || number > high || !seen.insert(number).second) {
            throw std::runtime_error(here + "number out of range or repeated");
        }
        for (std::size_t i = 1; i < fields.size(); ++i) {
            const std::string ansi = kolvane::Utf8ToAnsi(fields[i]);
            if (std::count(ansi.begin(), ansi.end(), '?') !=
                std::count(fields[i].begin(), fields[i].end(), '?')) {
                throw std::runtime_error(here + "a character has no place in Windows-1252");
            }
        }
        rows.push_back({lineNumber, std::move(fields)});
    }
    return rows;
}

constexpr int kLastSharedNumber = 261;
constexpr int kFirstAddedNumber = 300;
constexpr int kLastAddedNumber = 899;

void checkNumbering(const std::string& path, const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        const int number = std::stoi(row.fields[0]);
        if (number > kLastSharedNumber && number < kFirstAddedNumber) {
            throw std::runtime_error(where(path, row.lineNumber) +
                                     "numbers 262 to 299 are kept free (added texts start at 300)");
        }
    }
}

// A capital letter, then letters and digits: always a C++ identifier, never a
// keyword, never a reserved name.
bool isCamelCaseIdentifier(const std::string& name) {
    const auto isAlnum = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
    return !name.empty() && std::isupper(static_cast<unsigned char>(name.front())) &&
           std::all_of(name.begin(), name.end(), isAlnum);
}

void checkNames(const std::string& path, const std::vector<Row>& rows) {
    std::map<std::string, int> firstLine;
    for (const Row& row : rows) {
        const std::string& name = row.fields[kNameField];
        if (!isCamelCaseIdentifier(name)) {
            throw std::runtime_error(where(path, row.lineNumber) + "the name \"" + name +
                                     "\" is not a CamelCase C++ name (a capital letter, then "
                                     "letters and digits)");
        }
        if (const auto [it, added] = firstLine.emplace(name, row.lineNumber); !added) {
            throw std::runtime_error(where(path, row.lineNumber) + "the name \"" + name +
                                     "\" is already given on line " + std::to_string(it->second));
        }
    }
}

void writeArray(std::ostream& out, const char* name, const std::string& bytes) {
    out << "extern const char " << name << "[] = {";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out << (i % 24 == 0 ? "\n    " : " ")
            << static_cast<int>(static_cast<signed char>(bytes[i])) << ',';
    }
    out << "\n    0};\nextern const unsigned long " << name << "Size = " << bytes.size() << ";\n";
}

std::string messagesHeader(const std::vector<Row>& rows) {
    std::ostringstream out;
    out << "// Generated by embed_string_table from resources/strings.tsv: the number of every\n"
        << "// message, by the name in its second column.\n"
        << "#pragma once\n\nnamespace kolvane::msg {\n";
    for (const Row& row : rows) {
        out << "inline constexpr int " << row.fields[kNameField] << " = " << row.fields[0] << ";\n";
    }
    out << "} // namespace kolvane::msg\n";
    return out.str();
}

void writeFile(const std::string& path, const std::string& content) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << content;
    if (!file) {
        throw std::runtime_error(path + ": cannot be written");
    }
}

// Leaves an unchanged header alone, so that a change to a text does not rebuild
// everything that includes it (the header holds names and numbers only).
void writeFileIfChanged(const std::string& path, const std::string& content) {
    std::ifstream existing(path, std::ios::binary);
    if (existing) {
        std::ostringstream text;
        text << existing.rdbuf();
        if (text.str() == content) {
            return;
        }
    }
    writeFile(path, content);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: embed_string_table strings.tsv strings-common.tsv output.cpp "
                     "Messages.h\n";
        return 2;
    }
    try {
        const std::string table = readFile(argv[1]);
        const std::string common = readFile(argv[2]);
        // 0 to 261: the numbering the herd software's texts share; from 300: the
        // texts this system added, in the same four blocks.
        const std::vector<Row> messages =
            check(argv[1], table, kMessageFields, 0, kLastAddedNumber);
        checkNumbering(argv[1], messages);
        checkNames(argv[1], messages);
        check(argv[2], common, 2, 0, 999);
        std::ostringstream out;
        out << "// Generated by embed_string_table from the string tables in resources/.\n"
            << "namespace kolvane {\n";
        writeArray(out, "kStringTableTsv", kolvane::Utf8ToAnsi(table));
        writeArray(out, "kCommonStringsTsv", kolvane::Utf8ToAnsi(common));
        out << "} // namespace kolvane\n";
        writeFile(argv[3], out.str());
        writeFileIfChanged(argv[4], messagesHeader(messages));
    } catch (const std::exception& error) {
        std::cerr << "embed_string_table: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
