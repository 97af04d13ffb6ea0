// SPDX-License-Identifier: MIT
// A DST that reads, written again and read back, gives the same setup; and
// writing that setup gives the same text again.
#include "fuzz/FuzzSupport.h"
#include "storage/DstWriter.h"
#include "storage/Recover_DST.h"

namespace kolvane::fuzz {
namespace {

// Reads as the converter opens a DST; false when the reader refuses it. The
// reader adds an empty spare entry after the column lines, which is not
// written back: it is dropped here, as the setup is fitted to its source
// before it is saved.
bool readAsConverter(const Language& language, std::string_view text, ImportSetup& setup) {
    if (!ReadDstText(setup, language, text, "fuzz.dst").ok()) {
        return false;
    }
    FinishDstLoad(setup, language);
    CopyStagingToWorking(setup);
    Require(!setup.ColumnTable.empty() && setup.ColumnTable.back() == ColumnDefinition{},
            "the reader's spare column entry");
    setup.ColumnTable.pop_back();
    return true;
}

void printColumn(const char* which, const ColumnDefinition& c) {
    std::fprintf(stderr, "%s: [%s] [%s] [%s] [%s] [%s] [%s] [%s] %d %d %d [%s] [%s]\n", which,
                 c.Mnemonic.c_str(), c.ItemNumber.c_str(), c.RequiredIndex.c_str(), c.Width.c_str(),
                 c.Decimals.c_str(), c.RecommendedWidth.c_str(), c.RecommendedDecimals.c_str(),
                 c.SpareFlag, c.IsDate, c.IsTime, c.DecimalSeparator.c_str(),
                 c.CorrectionFactor.c_str());
}

// Names the first column that differs, before the check fails.
void requireSameColumns(const ColumnTable& a, const ColumnTable& b) {
    Require(a.size() == b.size(), "the number of columns");
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!(a[i] == b[i])) {
            std::fprintf(stderr, "column %zu differs\n", i + 1);
            printColumn("written", a[i]);
            printColumn("read back", b[i]);
            Require(false, "ColumnTable");
        }
    }
}

// The fields a DST holds (the data type of a column is not among them).
void requireSameSetup(const ImportSetup& a, const ImportSetup& b) {
    // The writer cannot store an empty description: it reads back as one empty line.
    Require(b.Description == (a.Description.empty() ? "\r\n" : a.Description), "Description");
    Require(a.Separator == b.Separator, "Separator");
    Require(a.TopLinesToSkip == b.TopLinesToSkip, "TopLinesToSkip");
    Require(a.BottomLinesToSkip == b.BottomLinesToSkip, "BottomLinesToSkip");
    Require(a.DateFormatName == b.DateFormatName, "DateFormatName");
    Require(a.DateFormatName != kCustomDateFormat || a.DatePattern == b.DatePattern, "DatePattern");
    Require(a.LineFilterMode == b.LineFilterMode, "LineFilterMode");
    Require(a.LineFilterText == b.LineFilterText, "LineFilterText");
    Require(a.AskSendDate == b.AskSendDate, "AskSendDate");
    Require(a.UseTodayAsSendDate == b.UseTodayAsSendDate, "UseTodayAsSendDate");
    Require(a.OptionZero == b.OptionZero && a.OptionTrigger == b.OptionTrigger &&
                a.OptionErrExit == b.OptionErrExit && a.OptionErrOK == b.OptionErrOK &&
                a.OptionInit == b.OptionInit,
            "option lines");
    requireSameColumns(a.ColumnTable, b.ColumnTable);
    Require(!a.usesFixedColumns() || a.FixedColumnStarts == b.FixedColumnStarts,
            "FixedColumnStarts");
}

} // namespace
} // namespace kolvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kolvane;
    using namespace kolvane::fuzz;
    static const Language language("EN");
    ImportSetup first;
    if (!readAsConverter(language, AsText(data, size), first)) {
        return 0;
    }
    std::string written;
    if (!BuildDstText(first, language, "@", written).ok()) {
        return 0; // a value the layout cannot hold is refused before anything is written
    }
    ImportSetup second;
    Require(readAsConverter(language, written, second), "a written DST reads");
    requireSameSetup(first, second);
    std::string again;
    Require(BuildDstText(second, language, "@", again).ok(), "a read DST writes");
    Require(again == written, "writing a read DST gives the same text");
    return 0;
}
