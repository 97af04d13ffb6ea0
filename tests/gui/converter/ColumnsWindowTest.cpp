// SPDX-License-Identifier: MIT
// The columns and codes window: a code for every source column, checked
// against the code dictionary, and the column table it leaves in the session.
#include "converter/Principal.h"
#include "gui/QtText.h"
#include "tests/gui/converter/CodeWindowsFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <atomic>
#include <thread>

namespace kolvane::converter {
namespace {

using testing::in;

using Rows = std::vector<std::vector<std::string>>;

const Rows kMilkTest = {{"276000912345678", "03-12-26", "31,4", "06:15"},
                        {"276000912345679", "03-12-26", "28,9", "06:20"}};

class ColumnsWindow : public testing::CodeWindowsFixture {
protected:
    void useSource(const Rows& rows) {
        SourceTable table(static_cast<int>(rows.front().size()));
        for (const auto& row : rows) {
            const std::vector<std::string_view> cells(row.begin(), row.end());
            table.appendRow(cells);
        }
        context().session.changeSettings(
            [&table](ImportSetup& setup) { setup.SourceTable = std::move(table); });
    }
    Principal& window() {
        if (!window_) {
            if (setup().SourceTable.empty()) {
                useSource(kMilkTest);
            }
            EXPECT_TRUE(waitForFill(codeList()));
            window_ = std::make_unique<Principal>(context(), codeList());
        }
        return *window_;
    }
    void closeWindow() { window_.reset(); }
    template <typename Control> Control* control(const char* name) {
        return in<Control>(window(), name);
    }
    QString textOf(const char* box) { return control<QLineEdit>(box)->text(); }
    void typeInto(const char* box, const char* typed) {
        QLineEdit* edit = control<QLineEdit>(box);
        edit->clear();
        QTest::keyClicks(edit, QLatin1String(typed));
    }
    void typeMnemonic(const char* typed) {
        typeInto("Mnemonico", typed);
        QTest::keyClick(control<QLineEdit>("Mnemonico"), Qt::Key_Return);
    }
    void click(const char* button) {
        QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
    }
    // As a user ticks a box: a disabled one does not change.
    void tick(const char* box) {
        QCheckBox* check = control<QCheckBox>(box);
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
    }
    bool checked(const char* box) { return control<QCheckBox>(box)->isChecked(); }
    bool enabled(const char* name) { return control<QWidget>(name)->isEnabled(); }
    bool shown(const char* name) { return !control<QWidget>(name)->isHidden(); }
    const ColumnDefinition& entry(int column) {
        return setup().ColumnTable.at(static_cast<std::size_t>(column - 1));
    }
    std::string notImported() { return app().language().DoNotImportText(); }
    QString message(int number) { return FromAnsi(app().language().LoadText(number)); }
    const QStringList& messages() { return dialogs().shownMessages(); }

private:
    std::unique_ptr<Principal> window_;
};

TEST_F(ColumnsWindow, ShowsTheSourceWithTheCurrentColumnInLightGreen) {
    Rows rows(100, {"a", "b", "c"});
    rows[69][1] = "row 70";
    useSource(rows);
    const QAbstractItemModel* grid = control<QTableView>("MSFlexGrid1")->model();
    EXPECT_EQ(grid->rowCount(), 70);
    EXPECT_EQ(grid->columnCount(), 3);
    EXPECT_EQ(grid->index(69, 1).data().toString().toStdString(), "row 70");
    const auto colour = [grid](int column) {
        return grid->index(0, column).data(Qt::BackgroundRole).value<QBrush>().color().name();
    };
    EXPECT_EQ(colour(0).toStdString(), "#c0ffc0");
    EXPECT_EQ(colour(1).toStdString(), "#ffffff");
    click("Siguiente");
    EXPECT_EQ(colour(0).toStdString(), "#ffffff");
    EXPECT_EQ(colour(1).toStdString(), "#c0ffc0");
    EXPECT_EQ(window().windowTitle().toStdString(), "Column definitions");
    EXPECT_TRUE(setup().ColumnsWindowLoaded);
    closeWindow();
    EXPECT_FALSE(setup().ColumnsWindowLoaded);
}

TEST_F(ColumnsWindow, TheMnemonicIsFoundWithAndWithoutALeadingBlank) {
    writeDictionary({testing::Code(" MILKKG", "800044", "900080", "Milk (kg)", 1, 3, 3),
                     testing::Code("FATPCT", "900077", "900080", "Fat percentage", 2, 4, 3)});
    for (const char* typed : {"MILKKG", " MILKKG", "milkkg"}) {
        typeMnemonic(typed);
        EXPECT_EQ(textOf("ADIS").toStdString(), "    800044") << typed;
        EXPECT_EQ(textOf("Necesario").toStdString(), "    900080") << typed;
        EXPECT_EQ(textOf("Prec_Recomendado").toStdString(), "1") << typed;
        EXPECT_EQ(textOf("Esp_Recomendado").toStdString(), "3") << typed;
    }
    typeMnemonic("FATPCT");
    EXPECT_EQ(textOf("ADIS").toStdString(), "    900077");
    EXPECT_EQ(textOf("Esp_Recomendado").toStdString(), "4");
    EXPECT_TRUE(messages().isEmpty()) << messages().join(QLatin1Char('\n')).toStdString();
}

TEST_F(ColumnsWindow, AnUnknownMnemonicIsToldAndClearsTheCode) {
    typeMnemonic("BIRTHDATE");
    ASSERT_TRUE(checked("Fecha"));
    typeMnemonic("NOSUCHCODE");
    EXPECT_EQ(messages(), QStringList{message(msg::NoMatchesFound)});
    for (const char* box :
         {"Mnemonico", "ADIS", "Necesario", "Prec_Recomendado", "Esp_Recomendado"}) {
        EXPECT_EQ(textOf(box).toStdString(), "") << box;
    }
    EXPECT_FALSE(checked("Fecha"));
    EXPECT_FALSE(checked("Hora"));
    EXPECT_FALSE(checked("Sep_Decimales"));
    EXPECT_FALSE(shown("Separador"));
}

TEST_F(ColumnsWindow, AnEmptyBoxClearsTheCodeAndTheSizesWithoutAMessage) {
    typeMnemonic("MILKKG");
    typeInto("Espacios", "5");
    typeInto("Precision", "2");
    tick("Sep_Decimales");
    typeMnemonic("");
    for (const char* box :
         {"ADIS", "Necesario", "Prec_Recomendado", "Esp_Recomendado", "Espacios", "Precision"}) {
        EXPECT_EQ(textOf(box).toStdString(), "") << box;
    }
    EXPECT_FALSE(checked("Sep_Decimales"));
    EXPECT_FALSE(shown("Separador"));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ColumnsWindow, LeavingTheBoxAfterAnEditChecksTheMnemonic) {
    window().show();
    QApplication::setActiveWindow(&window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    QLineEdit* mnemonic = control<QLineEdit>("Mnemonico");
    mnemonic->setFocus();
    QTest::keyClicks(mnemonic, QStringLiteral("TESTDATE"));
    control<QLineEdit>("Espacios")->setFocus();
    EXPECT_TRUE(waitFor([this] { return !textOf("ADIS").isEmpty(); }));
    EXPECT_EQ(textOf("ADIS").toStdString(), "    900032");
    EXPECT_TRUE(checked("Fecha"));
}

TEST_F(ColumnsWindow, AMnemonicTypedWithoutEnterIsCheckedBeforeItIsStored) {
    window().show();
    QApplication::setActiveWindow(&window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    control<QLineEdit>("Mnemonico")->setFocus();
    typeInto("Mnemonico", "MILKKG");
    // Next>> by its mnemonic: the focus stays in the box.
    QTest::keyClick(window().windowHandle(), Qt::Key_E, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), control<QWidget>("Mnemonico"));
    EXPECT_TRUE(waitFor([this] { return window().currentColumn() == 2; })); // an animated click
    EXPECT_EQ(entry(1).Mnemonic, "MILKKG");
    EXPECT_EQ(entry(1).ItemNumber, "    800044");
    EXPECT_EQ(entry(1).Width, "3");
}

// What each data type leaves to the user: {type's code, date, time, separator, places}.
struct TypeCase {
    const char* mnemonic;
    bool date, time, separator, places;
};

TEST_F(ColumnsWindow, TheDataTypeDecidesWhatTheColumnMayBe) {
    const TypeCase cases[] = {{"MILKKG", false, false, true, true},     // with decimals
                              {"CELLCOUNT", false, false, true, true},  // integer
                              {"TESTDATE", true, false, false, false},  // date
                              {"MILKSTART", false, true, false, false}, // time
                              {"NAME", false, false, false, false}};    // text
    for (const TypeCase& type : cases) {
        typeMnemonic(type.mnemonic);
        EXPECT_EQ(enabled("Fecha"), type.date) << type.mnemonic;
        EXPECT_EQ(enabled("Hora"), type.time) << type.mnemonic;
        EXPECT_EQ(enabled("Sep_Decimales"), type.separator) << type.mnemonic;
        EXPECT_EQ(enabled("Precision"), type.places) << type.mnemonic;
        EXPECT_EQ(checked("Fecha"), type.date) << type.mnemonic;
        EXPECT_EQ(checked("Hora"), type.time) << type.mnemonic;
    }
}

TEST_F(ColumnsWindow, ADateCodeAfterANumberDropsSeparatorFactorAndPlaces) {
    typeMnemonic("MILKKG");
    tick("Sep_Decimales");
    typeInto("txtFactorCorrector", "10");
    typeInto("Precision", "1");
    typeMnemonic("TESTDATE");
    EXPECT_TRUE(checked("Fecha"));
    EXPECT_FALSE(checked("Sep_Decimales"));
    EXPECT_FALSE(enabled("Sep_Decimales"));
    EXPECT_EQ(textOf("Precision").toStdString(), "");
    EXPECT_EQ(textOf("txtFactorCorrector").toStdString(), "");
    click("Siguiente");
    EXPECT_TRUE(entry(1).IsDate);
    EXPECT_EQ(entry(1).DecimalSeparator, "");
    EXPECT_EQ(entry(1).CorrectionFactor, "");
}

TEST_F(ColumnsWindow, DateTimeAndDecimalSeparatorExcludeEachOther) {
    tick("Fecha");
    EXPECT_TRUE(checked("Fecha"));
    tick("Hora");
    EXPECT_TRUE(checked("Hora"));
    EXPECT_FALSE(checked("Fecha"));
    tick("Sep_Decimales");
    EXPECT_TRUE(checked("Sep_Decimales"));
    EXPECT_FALSE(checked("Hora"));
    EXPECT_TRUE(shown("Separador"));
    EXPECT_TRUE(shown("txtFactorCorrector"));
    tick("Fecha");
    EXPECT_FALSE(checked("Sep_Decimales"));
    EXPECT_FALSE(shown("Separador"));
    EXPECT_FALSE(shown("Label9"));
}

TEST_F(ColumnsWindow, AWrongDecimalSeparatorIsToldAndReset) {
    typeMnemonic("MILKKG");
    tick("Sep_Decimales");
    QComboBox* separator = control<QComboBox>("Separador");
    separator->setCurrentIndex(1);
    EXPECT_EQ(separator->currentText().toStdString(), ",");
    QTest::keyClicks(separator->lineEdit(), QStringLiteral("x"));
    EXPECT_EQ(messages(), QStringList{message(msg::IncorrectValue)});
    EXPECT_EQ(separator->currentText().toStdString(), ".");
    click("Siguiente");
    EXPECT_EQ(entry(1).DecimalSeparator, ".");
}

TEST_F(ColumnsWindow, TheCorrectionFactorIsANumberAndGoesWithTheSeparator) {
    typeMnemonic("MILKKG");
    EXPECT_FALSE(shown("txtFactorCorrector"));
    tick("Sep_Decimales");
    ASSERT_TRUE(shown("txtFactorCorrector"));
    typeInto("txtFactorCorrector", "12a");
    EXPECT_EQ(messages(), QStringList{message(msg::NotANumber)});
    EXPECT_EQ(textOf("txtFactorCorrector").toStdString(), "");

    typeInto("txtFactorCorrector", "10");
    click("Siguiente");
    EXPECT_EQ(entry(1).CorrectionFactor, "*10");
    EXPECT_EQ(entry(1).DecimalSeparator, ".");
    click("Anterior");
    EXPECT_EQ(textOf("txtFactorCorrector").toStdString(), "10");
    EXPECT_EQ(control<QComboBox>("cmbFactorCorrector")->currentText().toStdString(), "*");

    // Emptied by the user, the column has no factor any more.
    control<QLineEdit>("txtFactorCorrector")->clear();
    click("Siguiente");
    EXPECT_EQ(entry(1).CorrectionFactor, "");

    // Turning the separator off drops the factor.
    click("Anterior");
    control<QComboBox>("cmbFactorCorrector")->setCurrentIndex(1);
    typeInto("txtFactorCorrector", "1000");
    click("Siguiente");
    EXPECT_EQ(entry(1).CorrectionFactor, "/1000");
    click("Anterior");
    tick("Sep_Decimales");
    EXPECT_EQ(entry(1).CorrectionFactor, "");
    click("Siguiente");
    EXPECT_EQ(entry(1).CorrectionFactor, "");
    EXPECT_EQ(entry(1).DecimalSeparator, "");
}

TEST_F(ColumnsWindow, MovingStoresTheColumnAndShowsTheOther) {
    typeMnemonic("ANIMALID");
    click("Siguiente");
    EXPECT_EQ(window().currentColumn(), 2);
    EXPECT_EQ(entry(1).Mnemonic, "ANIMALID");
    EXPECT_EQ(entry(1).ItemNumber, "    900080");
    EXPECT_EQ(entry(1).RequiredIndex, "    900080");
    EXPECT_EQ(entry(1).RecommendedWidth, "15");
    EXPECT_EQ(entry(1).Width, "15"); // an empty width takes the recommended one
    EXPECT_EQ(entry(1).Decimals, "0");
    EXPECT_EQ(textOf("Mnemonico").toStdString(), "");

    typeMnemonic("MILKKG");
    typeInto("Espacios", "4");
    QTableView* grid = control<QTableView>("MSFlexGrid1");
    const QModelIndex fourth = grid->model()->index(0, 3);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(fourth).center());
    EXPECT_EQ(window().currentColumn(), 4);
    EXPECT_EQ(entry(2).Mnemonic, "MILKKG");
    EXPECT_EQ(entry(2).Width, "4");

    window().showColumn(1);
    EXPECT_EQ(textOf("Mnemonico").toStdString(), "ANIMALID");
    EXPECT_EQ(textOf("Espacios").toStdString(), "15");
}

// A width or decimals the definition line cannot hold is refused with a
// message; the column keeps what it had.
TEST_F(ColumnsWindow, WidthsAndDecimalsOutOfRangeAreRefused) {
    typeMnemonic("MILKKG");
    typeInto("Espacios", "4");
    window().showColumn(2);
    window().showColumn(1);
    for (const char* width : {"-5", "0", "100"}) {
        typeInto("Espacios", width);
        window().showColumn(2);
        EXPECT_EQ(entry(1).Width, "4") << width;
        EXPECT_EQ(dialogs().shownMessages().last().toStdString(),
                  "The width must be a whole number from 1 to 99; the column keeps its width.");
        window().showColumn(1);
    }
    typeInto("Precision", "12");
    window().showColumn(2);
    EXPECT_NE(entry(1).Decimals, "12");
    EXPECT_TRUE(
        dialogs().shownMessages().last().startsWith(QStringLiteral("The decimals must be")));
}

TEST_F(ColumnsWindow, PreviousStaysOnTheFirstColumnAndNextOnTheLast) {
    typeMnemonic("ANIMALID");
    click("Anterior");
    EXPECT_EQ(window().currentColumn(), 1);
    EXPECT_EQ(textOf("Mnemonico").toStdString(), "ANIMALID");
    for (int i = 0; i < 5; ++i) {
        click("Siguiente");
    }
    EXPECT_EQ(window().currentColumn(), 4);
    EXPECT_EQ(setup().ColumnTable.size(), 4u);
}

TEST_F(ColumnsWindow, NoImportMarksTheColumnAndMovesOn) {
    typeMnemonic("MILKKG");
    tick("Sep_Decimales");
    typeInto("txtFactorCorrector", "10");
    click("Siguiente");
    click("Anterior");
    click("No_Importar");
    EXPECT_EQ(window().currentColumn(), 2);
    ColumnDefinition expected;
    expected.Mnemonic = notImported();
    EXPECT_EQ(entry(1), expected);
    click("Anterior");
    EXPECT_EQ(textOf("Mnemonico").toStdString(), notImported());
    // Enter on the mark looks nothing up.
    QTest::keyClick(control<QLineEdit>("Mnemonico"), Qt::Key_Return);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ColumnsWindow, FinishingMarksColumnsWithoutACodeAsNotImported) {
    QSignalSpy finished(&window(), &Principal::finished);
    typeMnemonic("ANIMALID"); // its own index
    click("Siguiente");
    click("Siguiente");
    typeMnemonic("CELLCOUNT"); // needs ANIMALID, which column 1 holds
    click("Finalizar");
    EXPECT_EQ(finished.size(), 1);
    EXPECT_TRUE(messages().isEmpty()) << messages().join(QLatin1Char('\n')).toStdString();
    ASSERT_EQ(setup().ColumnTable.size(), 5u); // four columns and the spare entry
    EXPECT_EQ(entry(2).Mnemonic, notImported());
    EXPECT_EQ(entry(3).Mnemonic, "CELLCOUNT");
    EXPECT_EQ(entry(4).Mnemonic, notImported());
    EXPECT_EQ(textOf("Mnemonico").toStdString(), "CELLCOUNT");
}

TEST_F(ColumnsWindow, AMissingIndexCodeIsNamedAndCancelStaysInTheWindow) {
    QSignalSpy finished(&window(), &Principal::finished);
    click("Siguiente");
    typeMnemonic("TESTDATE"); // needs ANIMALID, in no column
    dialogs().setNextAnswer(QMessageBox::Cancel);
    click("Finalizar");
    EXPECT_EQ(finished.size(), 0);
    ASSERT_EQ(messages().size(), 1);
    const std::string expected = "The code TESTDATE needs the code ANIMALID as an index";
    EXPECT_EQ(messages()[0].toStdString().substr(0, expected.size()), expected);

    dialogs().setNextAnswer(QMessageBox::Ok);
    click("Finalizar");
    EXPECT_EQ(finished.size(), 1);
}

TEST_F(ColumnsWindow, ACodeWithoutUsableIndexIsWarnedAndTheFileStillBuilt) {
    QSignalSpy finished(&window(), &Principal::finished);
    typeMnemonic("DDVERSION");
    dialogs().setNextAnswer(QMessageBox::Cancel); // the warning has OK only
    click("Finalizar");
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].toStdString(),
              "Warning: the code DDVERSION can not be used for import! Please go back and "
              "correct.");
    EXPECT_EQ(finished.size(), 1);
}

TEST_F(ColumnsWindow, ColumnsLoadedFromADstAreKept) {
    ColumnDefinition milk;
    milk.Mnemonic = "MILKKG";
    milk.ItemNumber = "    800044";
    milk.RequiredIndex = "    900080";
    milk.Width = "03";
    milk.Decimals = "1";
    milk.RecommendedWidth = "3";
    milk.RecommendedDecimals = "1";
    milk.DecimalSeparator = ",";
    milk.CorrectionFactor = "/10";
    ColumnDefinition animal;
    animal.Mnemonic = "ANIMALID";
    const ColumnTable loaded = {milk, animal};
    context().session.changeSettings([&loaded](ImportSetup& setup) {
        setup.ColumnsFromDst = true;
        setup.ColumnTable = loaded;
    });
    window();
    EXPECT_EQ(setup().ColumnTable, loaded);
    EXPECT_EQ(textOf("Mnemonico").toStdString(), "MILKKG");
    EXPECT_TRUE(checked("Sep_Decimales"));
    EXPECT_EQ(control<QComboBox>("Separador")->currentText().toStdString(), ",");
    EXPECT_EQ(control<QComboBox>("cmbFactorCorrector")->currentText().toStdString(), "/");
    EXPECT_EQ(textOf("txtFactorCorrector").toStdString(), "10");
    click("Siguiente");
    EXPECT_EQ(entry(1), milk);
    EXPECT_EQ(textOf("Mnemonico").toStdString(), "ANIMALID");
}

TEST_F(ColumnsWindow, WithoutADstTheWindowStartsWithAnEmptyTable) {
    ColumnDefinition old;
    old.Mnemonic = "MILKKG";
    context().session.setColumnTable({old, old});
    window();
    EXPECT_EQ(setup().ColumnTable, ColumnTable(1));
    EXPECT_EQ(textOf("Mnemonico").toStdString(), "");
}

TEST_F(ColumnsWindow, ACodeTakenFromTheListFillsTheBoxes) {
    click("Seleccionar_Codigo");
    ASSERT_TRUE(codeList().isVisible());
    selectCode(codeList(), "TESTDATE");
    QTest::mouseClick(in<QPushButton>(codeList(), "Aceptar"), Qt::LeftButton);
    EXPECT_FALSE(codeList().isVisible());
    EXPECT_EQ(textOf("Mnemonico").toStdString(), "TESTDATE");
    EXPECT_EQ(textOf("ADIS").toStdString(), "    900032");
    EXPECT_EQ(textOf("Necesario").toStdString(), "    900080");
    EXPECT_EQ(textOf("Esp_Recomendado").toStdString(), "8");
    EXPECT_EQ(textOf("Prec_Recomendado").toStdString(), "0");
    EXPECT_TRUE(checked("Fecha"));
    EXPECT_FALSE(checked("Hora"));

    click("Seleccionar_Codigo");
    selectCode(codeList(), "NAME");
    QTest::mouseClick(in<QPushButton>(codeList(), "Aceptar"), Qt::LeftButton);
    EXPECT_FALSE(checked("Fecha"));
    EXPECT_FALSE(checked("Hora"));
    click("Siguiente");
    EXPECT_EQ(entry(1).Mnemonic, "NAME");
    EXPECT_FALSE(entry(1).IsDate);
}

TEST_F(ColumnsWindow, TheWindowIsDisabledWhileAJobHoldsTheSetup) {
    window();
    std::atomic<bool> release{false};
    ASSERT_TRUE(context().session.runJob(
        {},
        [&release](ImportSetup&, const EngineContext&) {
            while (!release) {
                std::this_thread::yield();
            }
            return true;
        },
        [](bool) { return false; }, [](std::optional<bool>) {}));
    EXPECT_FALSE(window().isEnabled());
    release = true;
    EXPECT_TRUE(waitFor([this] { return window().isEnabled(); }));
}

} // namespace
} // namespace kolvane::converter
