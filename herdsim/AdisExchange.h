// SPDX-License-Identifier: MIT
// The ADIS exchange of the automation server: a request line asks for items of
// an entity, the answer is a definition line and value lines, ended by CR LF.
//
// Request: "RN", the entity in 6 characters (right-aligned, blanks in front),
// then 11-character item definitions (item number 8, width 2, decimals 1).
// Entity 0 is the herd program's code list, one value line per code; its items
// are 901 item number, 905 index item, 902 mnemonic, 903 description,
// 908 decimals, 904 width, 911 data type, 912 import permission. Any other
// entity is answered from the stored records (the product writes all records
// as entity 0, so the stored entity is not matched against the request).
#pragma once

#include "herdsim/AdisReader.h"
#include "herdsim/CodeList.h"
#include "herdsim/HerdDatabase.h"

#include <string>
#include <string_view>
#include <vector>

namespace herdsim {

struct ExchangeRequest {
    long entity = 0;
    std::vector<ItemDefinition> items;
};

// Empty when the line is a request, else a sentence saying what is wrong.
std::string ParseRequestLine(std::string_view line, ExchangeRequest& request);

// Empty when every requested item is one of the code list's, else why not;
// `answer` then holds the code list as ADIS lines.
std::string AnswerCodeList(const ExchangeRequest& request, const CodeList& codes,
                           std::string& answer);

// The stored records as ADIS lines, under the definition line of the request.
std::string AnswerStoredRecords(const ExchangeRequest& request,
                                const std::vector<StoredRecord>& records, const CodeList& codes);

// A value in a field of `width` characters: numbers right-aligned, texts
// left-aligned, both padded with blanks; a longer text is cut, a longer number
// becomes "?" throughout (the ADIS null value) rather than a wrong number.
std::string FitValue(std::string_view value, int width, bool isNumber);

} // namespace herdsim
