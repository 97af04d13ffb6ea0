// SPDX-License-Identifier: MIT
// The result window's hand-over to the herd software: the ADIS text written as
// "ADIS.ads" in the program folder, then the herd software's importer started
// on it, to import it or to open it for the user, and not waited for. A
// missing importer is looked for with the user; an herd software that is not
// installed at all is told as such.
#pragma once

#include "converter/ConverterContext.h"

class QWidget;

namespace kolvane::converter {

// Import into the herd software (the importer with "-a").
bool IntroducirHXDATA_Click(ConverterContext& context, QWidget& parent);
// Open the importer on the file for the user.
bool HXDataExchange_Open(ConverterContext& context, QWidget& parent);

} // namespace kolvane::converter
