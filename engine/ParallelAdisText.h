// SPDX-License-Identifier: MIT
// The ADIS text of the whole source table built on helper threads: every value
// line of a table has the same length, so each helper writes its rows straight
// into their place in the text. Messages, findings, the first failure and the
// text are those of converting row by row.
#pragma once

#include "engine/Crea_Adis.h"

namespace kolvane {

// Helper threads for `threads` (0: by the machine's cores, at most four).
unsigned AdisTextThreads(unsigned threads);

// Appends the value lines of every row of SourceTable to AdisText (which holds
// the header) with `threads` helpers, as BuildAdisText does row by row, and
// sets DateConversionFailed and AdisFindings (without the source's letters).
// After a failure AdisText ends with the line before the failing row.
Status AppendValueLinesOnHelpers(ImportSetup& setup, const EngineContext& context,
                                 AdisVariant variant, unsigned threads);

} // namespace kolvane
