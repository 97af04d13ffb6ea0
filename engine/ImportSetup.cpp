// SPDX-License-Identifier: MIT
#include "engine/ImportSetup.h"

#include <utility>

namespace kolvane {

void ResetImportSetup(ImportSetup& setup) {
    auto starts = std::move(setup.FixedColumnStarts);
    auto columns = std::move(setup.ColumnTable);
    auto source = std::move(setup.SourceTable);
    auto letters = std::move(setup.SourceLetters);
    const SourceEncoding encoding = setup.SourceFileEncoding;
    setup = ImportSetup{};
    setup.FixedColumnStarts = std::move(starts);
    setup.ColumnTable = std::move(columns);
    setup.SourceTable = std::move(source);
    setup.SourceLetters = std::move(letters); // they belong to the source table
    setup.SourceFileEncoding = encoding;
}

void CopyStagingToWorking(ImportSetup& setup) {
    const DstStaging& staged = setup.Staging;
    setup.SourceFilePath = staged.SourceFilePath;
    setup.Description = staged.Description;
    setup.Separator = staged.Separator;
    setup.TopLinesToSkip = staged.TopLinesToSkip;
    setup.BottomLinesToSkip = staged.BottomLinesToSkip;
    setup.DateFormatName = staged.DateFormatName;
    setup.DatePattern = staged.DatePattern;
    setup.AskSendDate = staged.AskSendDate;
}

} // namespace kolvane
