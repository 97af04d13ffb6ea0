// SPDX-License-Identifier: MIT
// "Import new codes from HX": the herd software's code list replaces the code
// dictionary, in one transaction, as a job with the working window. After it
// the program ends without saving, so that every window reads the new codes
// at the next start; on any failure the user learns what failed, in his
// language, and the dictionary stays exactly as it was.
#pragma once

#include "converter/ConverterContext.h"

#include <functional>

class QWidget;

namespace kolvane::converter {

// False when the import could not start (another job holds the setup).
bool RecargarDb(ConverterContext& context, QWidget& parent, std::function<void()> endProgram);

} // namespace kolvane::converter
