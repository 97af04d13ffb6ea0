// SPDX-License-Identifier: MIT
// The converter's two code selection windows, as the main window creates them
// at start-up, over the test's copy of the shipped code dictionary or over a
// dictionary that the test writes.
#pragma once

#include "converter/frmCodigos.h"
#include "herdlink/CodeImport.h"
#include "tests/gui/converter/ConverterFixture.h"

#include <QSignalSpy>
#include <QTableView>

namespace kolvane::converter::testing {

// A dictionary row as the herd software delivers it: padded to the field widths.
inline CodeRow Code(const std::string& mnemonic, const std::string& item, const std::string& index,
                    const std::string& description, int decimals, int width, int type,
                    int importAll = 1) {
    return {PadText(mnemonic, 14),
            PadNumber(item, 10),
            PadNumber(index, 10),
            PadText(description, 45),
            PadNumber(std::to_string(decimals), 4),
            PadNumber(std::to_string(width), 4),
            PadNumber(std::to_string(type), 5),
            PadNumber(std::to_string(importAll), 5)};
}

class CodeWindowsFixture : public ConverterFixture {
protected:
    // Replaces the test's dictionary by one with these rows.
    void writeDictionary(const std::vector<CodeRow>& rows) {
        ASSERT_TRUE(CreateCodeDictionary(folder.path("CodigosAds.db"), rows).ok());
    }

    frmCodigos& codeList() {
        makeWindows();
        return *codeList_;
    }
    frmCodigos& searchResults() {
        makeWindows();
        return *searchResults_;
    }
    QTableView* grid(frmCodigos& window) { return in<QTableView>(window, "MSFlexGrid1"); }

    // Runs a fill of `window` (or waits for the one under way) to its end.
    bool waitForFill(frmCodigos& window, bool start = true) {
        QSignalSpy filled(&window, &frmCodigos::filled);
        if (start) {
            window.fillGrid();
        }
        return filled.wait(30000) || !filled.isEmpty();
    }

    // The grid row of a code, or -1.
    int rowOf(frmCodigos& window, const std::string& mnemonic) {
        for (int row = 0; row < window.codeCount(); ++row) {
            if (window.code(row).Mnemonico == PadText(mnemonic, 14)) {
                return row;
            }
        }
        return -1;
    }
    void selectCode(frmCodigos& window, const std::string& mnemonic) {
        const int row = rowOf(window, mnemonic);
        ASSERT_GE(row, 0) << mnemonic;
        grid(window)->setCurrentIndex(grid(window)->model()->index(row, 0));
    }
    QString cell(frmCodigos& window, int row, int column) {
        return grid(window)->model()->index(row, column).data().toString();
    }

private:
    void makeWindows() {
        if (!codeList_) {
            searchResults_ =
                std::make_unique<frmCodigos>(context(), frmCodigos::Kind::SearchResults);
            codeList_ = std::make_unique<frmCodigos>(context(), frmCodigos::Kind::CodeList);
            codeList_->setSearchResults(*searchResults_);
        }
    }

    std::unique_ptr<frmCodigos> searchResults_;
    std::unique_ptr<frmCodigos> codeList_;
};

} // namespace kolvane::converter::testing
