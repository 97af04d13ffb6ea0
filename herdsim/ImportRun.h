// SPDX-License-Identifier: MIT
// One import: reads ADIS text record by record, checks every value record
// against the code list, honours the option lines and hands each accepted
// record to a store. Everything it finds goes into the import report.
//
// Checks of a definition line (once per line, reported at that line): every
// item is in the code list, its width is the code list's, the import may set
// it. Items that need the init option (or are restricted) are left out with a
// warning; any other fault makes every record of the definition fail.
// Checks of a value record: the line fits its definition, each value suits its
// data type, and an item with a value has its index item's value beside it.
#pragma once

#include "engine/Status.h"
#include "herdsim/CodeList.h"
#include "herdsim/ImportReport.h"

#include <istream>
#include <string>
#include <vector>

namespace herdsim {

struct StoredValue {
    long itemNumber = 0;
    std::string value; // without the blanks that align it
};

struct AcceptedRecord {
    long recordNumber = 0; // counts the value records of the file, from 1
    long lineNumber = 0;
    long entity = 0;
    std::vector<StoredValue> values;
};

class RecordStore {
public:
    virtual ~RecordStore() = default;
    virtual kolvane::Status store(const AcceptedRecord& record) = 0;
};

// Fills the options, counts and groups of `report`. The status fails only when
// the store fails or the input cannot be read; the caller then keeps nothing.
kolvane::Status RunImport(std::istream& adis, const CodeList& codes, RecordStore& store,
                          ImportReport& report);

} // namespace herdsim
