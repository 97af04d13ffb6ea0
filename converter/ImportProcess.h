// SPDX-License-Identifier: MIT
// Closing the import process and the program, each after the user's Yes.
#pragma once

#include "converter/ConverterContext.h"
#include "converter/StepHost.h"

namespace kolvane::converter {

class Workflow;

// Asks (Yes/No/Cancel, "Kolvane"); on Yes closes the step windows, resets the
// import setup and marks no step. True when the process was closed.
bool Cerrar_Proceso(ConverterContext& context, Workflow& workflow, StepHost& host);

// The tool toolbar's Exit: with an ASCII file open the user confirms first.
bool ExitConfirmed(ConverterContext& context, const Workflow& workflow, StepHost& host);

} // namespace kolvane::converter
