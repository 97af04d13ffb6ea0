// SPDX-License-Identifier: MIT
// Opening a DST file (an import setup file) as the programs do, in one place
// for the converter, the runner and the command line: the reader of its
// layout, the program's fix-up, and the staged settings copied into the
// working fields.
#pragma once

#include "engine/ImportSetup.h"
#include "engine/Status.h"
#include "engine/StringTable.h"
#include "engine/UserPort.h"

#include <string>

namespace kolvane {

enum class DstReader {
    // The converter and the command line: "NO IMPORTAR" becomes the "not
    // imported" text of the current language; the setup's fixed columns and
    // column table count as coming from the DST.
    Converter,
    // The runner: "NO IMPORTAR" stays the mark of columns that are not
    // imported; the "Tabs" caption (in any language) is the TAB character.
    Runner,
};

struct DstOpening {
    DstReader reader = DstReader::Converter;
    bool oldLayout = false; // the earlier layout of DST files
};

// Reads `path` into a new setup and, when it could be read completely, makes
// that the setup. A DST that cannot be read completely is refused: nothing of
// it is used, and the status names the file and the line. A missing file
// shows message 159, as the readers do.
Status OpenDst(ImportSetup& setup, const Language& language, UserPort& port,
               const std::string& path, const DstOpening& opening = {});

} // namespace kolvane
