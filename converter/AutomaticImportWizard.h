// SPDX-License-Identifier: MIT
// "Build an Automatic Import": where the setup file goes (Iniciar_Asistente),
// then the five wizard windows. Nothing is written before Finish; Finish
// writes the batch file, the setup file and the entry in the list.
#pragma once

class QWidget;

namespace kolvane::converter {

struct ConverterContext;

// True when the automatic import was built.
bool Iniciar_Asistente(ConverterContext& context, QWidget& parent);

} // namespace kolvane::converter
