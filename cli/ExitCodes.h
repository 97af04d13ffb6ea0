// SPDX-License-Identifier: MIT
#pragma once

namespace kolvane::cli {

enum ExitCode : int {
    kExitSuccess = 0,      // converted (and imported without a report)
    kExitIncomplete = 1,   // the conversion did not complete
    kExitUsage = 2,        // usage error, unreadable or bad setup, missing source
    kExitImportErrors = 3, // the importer reported errors or warnings
};

} // namespace kolvane::cli
