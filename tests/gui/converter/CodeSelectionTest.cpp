// SPDX-License-Identifier: MIT
// The code selection windows: the code list and the search-result window.
#include "gui/QtText.h"
#include "tests/gui/converter/CodeWindowsFixture.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace kolvane::converter {
namespace {

using testing::in;

class CodeSelection : public testing::CodeWindowsFixture {
protected:
    QString text(int number) { return FromAnsi(app().language().LoadText(number)); }
    std::vector<CodeRow> shippedCodes() {
        Status status;
        auto rows = CodeDictionary(SHIPPED_DICTIONARY).allCodes(status);
        EXPECT_TRUE(status.ok()) << status.describe();
        return rows;
    }
    // Every code the window announces.
    std::vector<CodeRow>& recordChoices(frmCodigos& window) {
        QObject::connect(&window, &frmCodigos::codeChosen,
                         [this](const CodeRow& code) { chosen.push_back(code); });
        return chosen;
    }
    // A right click on a column of the grid, then a choice in the popup menu.
    void sortBy(frmCodigos& window, int column, const char* action) {
        QTableView* view = grid(window);
        const QPoint at(view->columnViewportPosition(column) + 2, 5);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(view->viewport(), &click);
        QMenu* popup = in<QMenu>(window, "mnupopup");
        EXPECT_TRUE(popup->isVisible());
        window.findChild<QAction*>(QLatin1String(action))->trigger();
        popup->close();
    }
    std::vector<std::string> column(frmCodigos& window, int column) {
        std::vector<std::string> values;
        for (int row = 0; row < window.codeCount(); ++row) {
            values.push_back(cell(window, row, column).toStdString());
        }
        return values;
    }
    void searchFor(frmCodigos& window, const char* typed) {
        QLineEdit* box = in<QLineEdit>(window, "txtBuscar");
        box->clear();
        QTest::keyClicks(box, QLatin1String(typed));
        QTest::keyClick(box, Qt::Key_Return);
    }

    std::vector<CodeRow> chosen;
};

TEST_F(CodeSelection, TheCodeListShowsTheWholeDictionaryWithTypeAndPermissionTexts) {
    // The dictionary is read off the window thread, under the progress window.
    codeList().fillGrid();
    EXPECT_TRUE(codeList().filling());
    EXPECT_EQ(codeList().codeCount(), 0);
    EXPECT_FALSE(context().codeProgress.isHidden());
    ASSERT_TRUE(waitForFill(codeList(), false));
    const std::vector<CodeRow> shipped = shippedCodes();
    ASSERT_EQ(codeList().codeCount(), static_cast<int>(shipped.size()));
    EXPECT_EQ(codeList().code(0), shipped.front());
    const QAbstractItemModel* model = grid(codeList())->model();
    ASSERT_EQ(model->columnCount(), 8);
    QStringList headings;
    for (int column = 0; column < 8; ++column) {
        headings << model->headerData(column, Qt::Horizontal).toString();
    }
    EXPECT_EQ(headings.join(QLatin1Char('|')).toStdString(),
              "Codes|DD-Nr.|DD-Index|Description|Decimals|Width|Data Type|Import Allowed");
    const int birth = rowOf(codeList(), "BIRTHDATE");
    ASSERT_GE(birth, 0);
    EXPECT_EQ(cell(codeList(), birth, 0).toStdString(), "BIRTHDATE");
    EXPECT_EQ(cell(codeList(), birth, 1).toStdString(), "900053");
    EXPECT_EQ(cell(codeList(), birth, 6).toStdString(), "4 - Date");
    EXPECT_EQ(cell(codeList(), birth, 7).toStdString(), "2 - INIT Option");
    EXPECT_EQ(context().codeProgress.caption().toStdString(), "Loading codes ...");
    EXPECT_TRUE(context().codeProgress.isHidden());
    EXPECT_TRUE(dialogs().shownMessages().isEmpty());
}

TEST_F(CodeSelection, ValuesWithoutATextLeaveTheirCellsEmpty) {
    writeDictionary({testing::Code("ODD", "900999", "0", "Odd item", 0, 1, 7, 3)});
    ASSERT_TRUE(waitForFill(codeList()));
    ASSERT_EQ(codeList().codeCount(), 1);
    EXPECT_EQ(cell(codeList(), 0, 6).toStdString(), "");
    EXPECT_EQ(cell(codeList(), 0, 7).toStdString(), "");
}

TEST_F(CodeSelection, AnEmptyDictionaryIsToldByTheCodeListOnly) {
    writeDictionary({});
    ASSERT_TRUE(waitForFill(codeList()));
    EXPECT_EQ(dialogs().shownMessages(), QStringList{text(msg::DatabaseHasNoData)});
    EXPECT_TRUE(context().codeProgress.isHidden());
    codeList().search(QStringLiteral("milk"));
    ASSERT_TRUE(waitForFill(searchResults(), false));
    EXPECT_EQ(searchResults().codeCount(), 0);
    EXPECT_EQ(dialogs().shownMessages().size(), 1);
}

TEST_F(CodeSelection, AMissingDictionaryIsAskedForAndTheChosenFileServesThisFillOnly) {
    const std::string elsewhere = folder.path("elsewhere.db");
    std::filesystem::rename(folder.path("CodigosAds.db"), elsewhere);
    dialogs().setNextFileName(QString::fromStdString(elsewhere));
    ASSERT_TRUE(waitForFill(codeList()));
    EXPECT_EQ(codeList().codeCount(), static_cast<int>(shippedCodes().size()));
    ASSERT_EQ(dialogs().fileRequests().size(), 1);
    EXPECT_EQ(dialogs().fileRequests()[0].title.toStdString(), "Open");
    EXPECT_EQ(dialogs().fileRequests()[0].filter.toStdString(), "Database (CodigosAds.db)");
    EXPECT_EQ(context().codeDictionaryPath, folder.path("CodigosAds.db"));

    // The next fill looks in the program folder again, and asks again.
    codeList().search(QStringLiteral("milk"));
    ASSERT_TRUE(waitForFill(searchResults(), false));
    EXPECT_EQ(dialogs().fileRequests().size(), 2);
    EXPECT_EQ(searchResults().codeCount(), 0);
    EXPECT_TRUE(dialogs().shownMessages().isEmpty());
}

TEST_F(CodeSelection, ADictionaryThatCannotBeReadIsToldWithItsReason) {
    folder.write("CodigosAds.db", "this is no database");
    ASSERT_TRUE(waitForFill(codeList()));
    EXPECT_EQ(codeList().codeCount(), 0);
    ASSERT_EQ(dialogs().shownMessages().size(), 1);
    EXPECT_TRUE(dialogs().shownMessages()[0].contains(QLatin1String("CodigosAds.db")))
        << dialogs().shownMessages()[0].toStdString();
    EXPECT_TRUE(dialogs().fileRequests().isEmpty());
}

TEST_F(CodeSelection, OkDoubleClickAndEnterTakeTheSelectedCodeAndHideTheWindow) {
    ASSERT_TRUE(waitForFill(codeList()));
    auto& taken = recordChoices(codeList());
    const CodeRow birth = codeList().code(rowOf(codeList(), "BIRTHDATE"));

    codeList().showForChoice();
    selectCode(codeList(), "BIRTHDATE");
    QTest::mouseClick(in<QPushButton>(codeList(), "Aceptar"), Qt::LeftButton);
    EXPECT_FALSE(codeList().isVisible());

    codeList().showForChoice();
    const int milk = rowOf(codeList(), "MILKKG");
    QTableView* view = grid(codeList());
    view->scrollTo(view->model()->index(milk, 1));
    const QPoint centre = view->visualRect(view->model()->index(milk, 1)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
    EXPECT_FALSE(codeList().isVisible());

    codeList().showForChoice();
    selectCode(codeList(), "NAME");
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_FALSE(codeList().isVisible());

    ASSERT_EQ(taken.size(), 3u);
    EXPECT_EQ(taken[0], birth);
    EXPECT_EQ(taken[1].Mnemonico, PadText("MILKKG", 14));
    EXPECT_EQ(taken[2].Mnemonico, PadText("NAME", 14));
}

TEST_F(CodeSelection, CancelAndEscapeHideTheWindowAndClearTheSearchBox) {
    ASSERT_TRUE(waitForFill(codeList()));
    auto& taken = recordChoices(codeList());
    for (const bool escape : {false, true}) {
        codeList().showForChoice();
        QLineEdit* box = in<QLineEdit>(codeList(), "txtBuscar");
        QTest::keyClicks(box, QStringLiteral("cow"));
        if (escape) {
            QTest::keyClick(&codeList(), Qt::Key_Escape);
        } else {
            QTest::mouseClick(in<QPushButton>(codeList(), "Cancelar"), Qt::LeftButton);
        }
        EXPECT_FALSE(codeList().isVisible()) << escape;
        EXPECT_EQ(box->text().toStdString(), "") << escape;
    }
    EXPECT_TRUE(taken.empty());
}

TEST_F(CodeSelection, SearchingShowsTheMatchesInTheSearchResultWindow) {
    ASSERT_TRUE(waitForFill(codeList()));
    auto& taken = recordChoices(codeList());
    codeList().showForChoice();
    searchFor(codeList(), "Milk");
    EXPECT_FALSE(codeList().isVisible());
    ASSERT_TRUE(waitForFill(searchResults(), false));
    EXPECT_TRUE(searchResults().isVisible());
    ASSERT_GT(searchResults().codeCount(), 3);
    for (int row = 0; row < searchResults().codeCount(); ++row) {
        const CodeRow code = searchResults().code(row);
        const QString found = FromAnsi(code.Mnemonico + code.Explicacion);
        EXPECT_TRUE(found.contains(QLatin1String("milk"), Qt::CaseInsensitive))
            << found.toStdString();
    }
    EXPECT_EQ(in<QLineEdit>(searchResults(), "txtBuscar")->text().toStdString(), "");

    // A search from the result window refills it; a code taken there reaches
    // whoever listens to the code list.
    searchFor(searchResults(), "900053");
    ASSERT_TRUE(waitForFill(searchResults(), false));
    ASSERT_EQ(searchResults().codeCount(), 1);
    selectCode(searchResults(), "BIRTHDATE");
    QTest::mouseClick(in<QPushButton>(searchResults(), "Aceptar"), Qt::LeftButton);
    EXPECT_FALSE(searchResults().isVisible());
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].Mnemonico, PadText("BIRTHDATE", 14));
}

TEST_F(CodeSelection, EnterInAnEmptySearchBoxDoesNothing) {
    ASSERT_TRUE(waitForFill(codeList()));
    auto& taken = recordChoices(codeList());
    codeList().showForChoice();
    QTest::keyClick(in<QLineEdit>(codeList(), "txtBuscar"), Qt::Key_Return);
    EXPECT_TRUE(codeList().isVisible());
    EXPECT_FALSE(searchResults().isVisible());
    EXPECT_FALSE(searchResults().filling());
    EXPECT_TRUE(taken.empty());
}

TEST_F(CodeSelection, ASearchWithoutMatchShowsAnEmptyGridAndNoMessage) {
    codeList().search(QStringLiteral("milk"));
    ASSERT_TRUE(waitForFill(searchResults(), false));
    ASSERT_GT(searchResults().codeCount(), 0);
    // Quotes and wildcards are plain characters of the search text.
    codeList().search(QStringLiteral("milk\" OR \"%"));
    ASSERT_TRUE(waitForFill(searchResults(), false));
    EXPECT_EQ(searchResults().codeCount(), 0);
    EXPECT_TRUE(dialogs().shownMessages().isEmpty());
}

TEST_F(CodeSelection, SortingIgnoresCaseForTextsAndTakesNumbersByValue) {
    writeDictionary({testing::Code("b", "900010", "0", "banana", 0, 10, 2),
                     testing::Code("C", "900002", "0", "Apple", 0, 9, 2),
                     testing::Code("a", "900300", "0", "cherry", 0, 100, 2),
                     testing::Code("D", "900004", "0", "apple pie", 0, 1, 2)});
    ASSERT_TRUE(waitForFill(codeList()));
    codeList().show();
    using Strings = std::vector<std::string>;
    sortBy(codeList(), 3, "popAscendente");
    EXPECT_EQ(column(codeList(), 3), (Strings{"Apple", "apple pie", "banana", "cherry"}));
    sortBy(codeList(), 3, "popDescendente");
    EXPECT_EQ(column(codeList(), 3), (Strings{"cherry", "banana", "apple pie", "Apple"}));
    sortBy(codeList(), 0, "popAscendente");
    EXPECT_EQ(column(codeList(), 0), (Strings{"a", "b", "C", "D"}));
    sortBy(codeList(), 5, "popAscendente");
    EXPECT_EQ(column(codeList(), 5), (Strings{"1", "9", "10", "100"}));
    sortBy(codeList(), 1, "popDescendente");
    EXPECT_EQ(column(codeList(), 1), (Strings{"900300", "900010", "900004", "900002"}));
    // The code taken is the one shown in the selected row.
    auto& taken = recordChoices(codeList());
    grid(codeList())->setCurrentIndex(grid(codeList())->model()->index(0, 0));
    QTest::mouseClick(in<QPushButton>(codeList(), "Aceptar"), Qt::LeftButton);
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].Codigo_ADIS, PadNumber("900300", 10));
}

} // namespace
} // namespace kolvane::converter
