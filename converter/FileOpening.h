// SPDX-License-Identifier: MIT
// Opening the files of an import: an ASCII file (the File menu's Open, a
// dropped or recent file) and a DST file (the choice of a registered automatic
// import, the command line, a dropped or recent file), in the current or the
// earlier layout. An opened DST goes on as the setup window's OK would.
#pragma once

#include "converter/ConverterContext.h"
#include "converter/RecentFiles.h"
#include "converter/StepHost.h"

#include <string>

namespace kolvane::converter {

class Workflow;

class FileOpening {
public:
    FileOpening(ConverterContext& context, StepHost& host, Workflow& workflow, RecentFiles& recent)
        : context_(context), host_(host), workflow_(workflow), recent_(recent) {}

    // The File menu's Open: the user picks the ASCII file.
    void mnuFileOpen_Click();
    // "DST - File" and "Open Old DST": the DST of the import (the one already
    // named when there is one, else chosen in the choice window; the earlier
    // layout always through the choice window).
    void mnuOpenDST_Click(bool oldLayout);
    // A file named by the user another way: a DST by its ending, else an ASCII file.
    void openPath(const std::string& path);
    // The command line: a path ending in "dst" (lower case) is opened as a DST.
    void openFromCommandLine(const std::string& argument);

    void openAscii(const std::string& path);
    void openDst(const std::string& path, bool oldLayout);

private:
    std::string chooseDst();
    bool settleSourceFile();

    ConverterContext& context_;
    StepHost& host_;
    Workflow& workflow_;
    RecentFiles& recent_;
};

} // namespace kolvane::converter
