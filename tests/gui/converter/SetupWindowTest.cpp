// SPDX-License-Identifier: MIT
// The setup window: what it shows of the setup, its click rules, what OK
// stores (and Cancel does not), and the confirmation of a loaded setup.
#include "converter/frmOptions.h"
#include "gui/QtText.h"
#include "tests/gui/converter/ConverterFixture.h"
#include "tests/gui/converter/ModalAnswer.h"
#include "tests/gui/converter/QtPrinters.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWindow>

namespace kolvane::converter {
namespace {

using testing::in;
using testing::ModalAnswer;

// Picks an item of a list as the user does: it becomes current and the list
// tells that it was chosen.
void choose(QComboBox* box, const QString& item) {
    const int index = box->findText(item);
    ASSERT_GE(index, 0) << item.toStdString();
    box->setCurrentIndex(index);
    emit box->activated(index);
}

void typeInto(QComboBox* box, const QString& text) {
    box->clearEditText();
    QTest::keyClicks(box->lineEdit(), text);
}

void toggle(QCheckBox* box) {
    QTest::keyClick(box, Qt::Key_Space);
}

void click(QWidget& window, const char* button) {
    QTest::mouseClick(in<QPushButton>(window, button), Qt::LeftButton);
}

class SetupWindow : public testing::ConverterFixture {
protected:
    QString text(int number) { return FromAnsi(app().language().LoadText(number)); }
    void prepare(const std::function<void(ImportSetup&)>& change) {
        ASSERT_TRUE(context().session.changeSettings(change));
    }
    std::unique_ptr<frmOptions> open() {
        auto window = std::make_unique<frmOptions>(context());
        window->show();
        return window;
    }
    bool isFocused(QWidget& window) {
        return waitFor([&] { return QGuiApplication::focusWindow() == window.windowHandle(); });
    }
};

TEST_F(SetupWindow, TabsIsStoredAsTheTabCharacterAndShownAsTabsAgain) {
    auto window = open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Setup"));
    choose(in<QComboBox>(*window, "Separador"), QStringLiteral("Tabs"));
    click(*window, "Aceptar");
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(setup().Separator, "\t");

    auto again = open();
    EXPECT_EQ(in<QComboBox>(*again, "Separador")->currentText(), QStringLiteral("Tabs"));
    EXPECT_EQ(setup().Separator, "\t"); // showing it changes nothing
    click(*again, "Cancelar");
    EXPECT_EQ(again->result(), QDialog::Rejected);
    EXPECT_EQ(setup().Separator, "\t");
}

TEST_F(SetupWindow, TypedAndCaptionedSeparatorsAreStoredAsWhatTheyMean) {
    const struct {
        const char* typed;
        std::string stored;
    } cases[] = {
        {"|", "|"}, {"Space", " "}, {"Fixed columns", std::string(kFixedColumns)}, {";", ";"}};
    for (const auto& [typed, stored] : cases) {
        auto window = open();
        typeInto(in<QComboBox>(*window, "Separador"), QLatin1String(typed));
        click(*window, "Aceptar");
        EXPECT_EQ(setup().Separator, stored) << typed;
    }
    auto window = open();
    EXPECT_EQ(in<QComboBox>(*window, "Separador")->currentText(), QStringLiteral(";"));
}

// A setup file would give these back as other separators ("1" as fixed
// columns, ";;" as ";"): the window stays open on them and says why.
TEST_F(SetupWindow, SeparatorsASetupFileCannotKeepAreRefused) {
    prepare([](ImportSetup& changed) { changed.Separator = ";"; });
    for (const char* typed : {"1", "2", "3", ";;"}) {
        auto window = open();
        typeInto(in<QComboBox>(*window, "Separador"), QLatin1String(typed));
        click(*window, "Aceptar");
        EXPECT_TRUE(window->isVisible()) << typed;
        EXPECT_EQ(dialogs().shownMessages().last(), text(msg::SeparatorNotStorable)) << typed;
        EXPECT_EQ(setup().Separator, ";") << typed;
    }
}

TEST_F(SetupWindow, ShowsHowTheSourceIsRead) {
    const std::string utf8 = folder.write("utf8.txt", "K\xC3\xBCh;1\r\n");
    prepare([&](ImportSetup& changed) { changed.SourceFilePath = utf8; });
    auto window = open();
    auto* encoding = in<QLineEdit>(*window, "txtEncoding");
    EXPECT_EQ(encoding->text(), QStringLiteral("UTF-8"));
    EXPECT_TRUE(encoding->isReadOnly());
    EXPECT_EQ(in<QLabel>(*window, "lblEncoding")->text(), QStringLiteral("Encoding of the file:"));
    const std::string ansi = folder.write("ansi.txt", "K\xFCh;1\r\n");
    prepare([&](ImportSetup& changed) { changed.SourceFilePath = ansi; });
    EXPECT_EQ(in<QLineEdit>(*open(), "txtEncoding")->text(), QStringLiteral("Windows-1252 (ANSI)"));
}

TEST_F(SetupWindow, GermanCaptionsStandForTheSameSeparators) {
    useLanguage("DE");
    prepare([](ImportSetup& setup) { setup.Separator = " "; });
    auto window = open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Einstellungen"));
    EXPECT_EQ(in<QComboBox>(*window, "Separador")->currentText(), QStringLiteral("Leerzeichen"));
    choose(in<QComboBox>(*window, "Separador"), QStringLiteral("Tabulator"));
    click(*window, "Aceptar");
    EXPECT_EQ(setup().Separator, "\t");
}

TEST_F(SetupWindow, ShowsTheSetupItIsOpenedOn) {
    prepare([](ImportSetup& setup) {
        setup.Separator = std::string(kFixedColumns);
        setup.TopLinesToSkip = 3;
        setup.BottomLinesToSkip = 1;
        setup.DateFormatName = "aaaammdd";
        setup.LineFilterMode = 1;
        setup.LineFilterText = "#";
        setup.OptionZero = true;
        setup.OptionTrigger = true;
    });
    auto window = open();
    EXPECT_EQ(in<QComboBox>(*window, "Separador")->currentText(), QStringLiteral("Fixed columns"));
    EXPECT_EQ(in<QComboBox>(*window, "LineasPrincipio")->currentText(), QStringLiteral("3"));
    EXPECT_EQ(in<QComboBox>(*window, "Lineas_Final")->currentText(), QStringLiteral("1"));
    EXPECT_EQ(in<QComboBox>(*window, "FormatoFecha")->currentText(), QStringLiteral("yyyymmdd"));
    EXPECT_FALSE(in<QPushButton>(*window, "btnFormatofecha")->isVisible());
    EXPECT_FALSE(in<QLabel>(*window, "lblPattern")->isVisible());
    EXPECT_EQ(in<QComboBox>(*window, "cmbLineMark")->currentText(),
              QStringLiteral("To not be imported"));
    EXPECT_EQ(in<QLineEdit>(*window, "txtMarkLine")->text(), QStringLiteral("#"));
    EXPECT_TRUE(in<QCheckBox>(*window, "Ceros")->isChecked());
    EXPECT_TRUE(in<QCheckBox>(*window, "Encadenadas")->isChecked());
    EXPECT_FALSE(in<QCheckBox>(*window, "O_Init")->isChecked());
    EXPECT_FALSE(in<QLineEdit>(*window, "Fecha_a_Insertar")->isEnabled());
    EXPECT_FALSE(in<QCheckBox>(*window, "FechaAutomatica")->isEnabled());
}

TEST_F(SetupWindow, AnEmptyOrUnknownDateFormatShowsTheFirstOneAndOkStoresIt) {
    prepare([](ImportSetup& setup) { setup.DateFormatName = "0"; });
    auto window = open();
    EXPECT_EQ(in<QComboBox>(*window, "FormatoFecha")->currentText(), QStringLiteral("dd-mm-yy"));
    click(*window, "Aceptar");
    EXPECT_EQ(setup().DateFormatName, "dd-mm-aa");
}

TEST_F(SetupWindow, UserDefinedClosedWithCancelKeepsThePattern) {
    prepare([](ImportSetup& setup) {
        setup.DateFormatName = std::string(kCustomDateFormat);
        setup.DatePattern = "DD.MM.YYYY";
    });
    auto window = open();
    auto* formats = in<QComboBox>(*window, "FormatoFecha");
    EXPECT_EQ(formats->currentText(), QStringLiteral("User Definied"));
    EXPECT_EQ(in<QLabel>(*window, "lblPattern")->text(), QStringLiteral("DD.MM.YYYY"));
    choose(formats, QStringLiteral("mm-dd-yy"));
    EXPECT_FALSE(in<QLabel>(*window, "lblPattern")->isVisible());
    const ModalAnswer dateWindow("Formato_De_Fecha",
                                 [](QWidget& dates) { click(dates, "btnCancel"); });
    choose(formats, QStringLiteral("User Definied"));
    EXPECT_TRUE(in<QLabel>(*window, "lblPattern")->isVisible());
    EXPECT_TRUE(in<QPushButton>(*window, "btnFormatofecha")->isVisible());
    EXPECT_EQ(in<QLabel>(*window, "lblPattern")->text(), QStringLiteral("DD.MM.YYYY"));
    click(*window, "Aceptar");
    EXPECT_EQ(setup().DateFormatName, kCustomDateFormat);
    EXPECT_EQ(setup().DatePattern, "DD.MM.YYYY");
}

TEST_F(SetupWindow, UserDefinedWithoutAnyPatternIsRefused) {
    prepare([](ImportSetup& setup) { setup.DateFormatName = "ddmmaa"; });
    auto window = open();
    const ModalAnswer dateWindow("Formato_De_Fecha",
                                 [](QWidget& dates) { click(dates, "btnCancel"); });
    choose(in<QComboBox>(*window, "FormatoFecha"), QStringLiteral("User Definied"));
    click(*window, "Aceptar");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(dialogs().shownMessages(), QStringList{text(msg::DateFormatNotSupported)});
    EXPECT_EQ(setup().DateFormatName, "ddmmaa");
}

TEST_F(SetupWindow, APatternBuiltInTheDateWindowIsShownAndCancelHereTakesItBack) {
    prepare([](ImportSetup& setup) {
        setup.DateFormatName = std::string(kCustomDateFormat);
        setup.DatePattern = "YYMMDD";
    });
    auto window = open();
    const ModalAnswer dateWindow("Formato_De_Fecha", [](QWidget& dates) {
        in<QLineEdit>(dates, "Date_Format")->setText(QStringLiteral("MM/DD/YYYY"));
        click(dates, "btnOK");
    });
    click(*window, "btnFormatofecha");
    EXPECT_EQ(in<QLabel>(*window, "lblPattern")->text(), QStringLiteral("MM/DD/YYYY"));
    EXPECT_EQ(in<QComboBox>(*window, "FormatoFecha")->currentText(),
              QStringLiteral("User Definied"));
    click(*window, "Cancelar");
    EXPECT_EQ(setup().DatePattern, "YYMMDD");
}

TEST_F(SetupWindow, TheSendDateBoxesEnableEachOther) {
    auto window = open();
    auto* ask = in<QCheckBox>(*window, "Inserta_Fecha");
    auto* today = in<QCheckBox>(*window, "FechaAutomatica");
    auto* date = in<QLineEdit>(*window, "Fecha_a_Insertar");
    toggle(ask);
    EXPECT_TRUE(date->isEnabled());
    EXPECT_TRUE(today->isEnabled());
    toggle(today);
    EXPECT_FALSE(date->isEnabled());
    toggle(today);
    EXPECT_TRUE(date->isEnabled());
    toggle(today);
    toggle(ask);
    EXPECT_FALSE(today->isChecked());
    EXPECT_FALSE(today->isEnabled());
    EXPECT_FALSE(date->isEnabled());
}

TEST_F(SetupWindow, TodaysDateIsWrittenInTheChosenFormat) {
    const struct {
        const char* caption;
        std::string sendDate;
    } cases[] = {{"dd-mm-yy", "08-12-26"}, {"yyyymmdd", "20261208"}, {"mm-dd-yy", "12-08-26"}};
    for (const auto& [caption, sendDate] : cases) {
        auto window = open();
        if (!in<QCheckBox>(*window, "Inserta_Fecha")->isChecked()) {
            toggle(in<QCheckBox>(*window, "Inserta_Fecha"));
            toggle(in<QCheckBox>(*window, "FechaAutomatica"));
        }
        choose(in<QComboBox>(*window, "FormatoFecha"), QLatin1String(caption));
        click(*window, "Aceptar");
        EXPECT_EQ(in<QLineEdit>(*window, "Fecha_a_Insertar")->text().toStdString(), sendDate);
        EXPECT_TRUE(setup().AskSendDate);
        EXPECT_TRUE(setup().UseTodayAsSendDate);
        EXPECT_EQ(setup().SendDate, sendDate) << caption;
    }
    EXPECT_TRUE(dialogs().shownMessages().isEmpty());
}

TEST_F(SetupWindow, AMissingSendDateCancelledStoresNothingAndKeepsTheWindowOpen) {
    auto window = open();
    typeInto(in<QComboBox>(*window, "Separador"), QStringLiteral("|"));
    toggle(in<QCheckBox>(*window, "Inserta_Fecha"));
    dialogs().setNextAnswer(QMessageBox::Cancel);
    click(*window, "Aceptar");
    EXPECT_EQ(dialogs().shownMessages(),
              (QStringList{text(msg::SendDateTodayHint), text(msg::CorrectDateRequired)}));
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(setup().AskSendDate);
    EXPECT_EQ(setup().Separator, "");
}

TEST_F(SetupWindow, AMissingSendDateAcceptedBecomesToday) {
    auto window = open();
    toggle(in<QCheckBox>(*window, "Inserta_Fecha"));
    dialogs().setNextAnswer(QMessageBox::Ok);
    click(*window, "Aceptar");
    EXPECT_EQ(dialogs().shownMessages(), QStringList{text(msg::SendDateTodayHint)});
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(setup().SendDate, "08-12-26");
    EXPECT_FALSE(setup().UseTodayAsSendDate);
}

TEST_F(SetupWindow, ATypedSendDateIsKeptAndDroppedWhenNoLongerAskedFor) {
    auto window = open();
    toggle(in<QCheckBox>(*window, "Inserta_Fecha"));
    QTest::keyClicks(in<QLineEdit>(*window, "Fecha_a_Insertar"), QStringLiteral("01-02-26"));
    click(*window, "Aceptar");
    EXPECT_EQ(setup().SendDate, "01-02-26");

    auto again = open();
    EXPECT_EQ(in<QLineEdit>(*again, "Fecha_a_Insertar")->text(), QStringLiteral("01-02-26"));
    toggle(in<QCheckBox>(*again, "Inserta_Fecha"));
    click(*again, "Aceptar");
    EXPECT_FALSE(setup().AskSendDate);
    // The fixed-width cutter would still put it in front of every row.
    EXPECT_EQ(setup().SendDate, "");
}

TEST_F(SetupWindow, TheLineFilterTakesItsTextOnlyWhileInUse) {
    auto window = open();
    auto* mode = in<QComboBox>(*window, "cmbLineMark");
    auto* filter = in<QLineEdit>(*window, "txtMarkLine");
    EXPECT_EQ(mode->currentText(), QStringLiteral("<Do not use>"));
    EXPECT_FALSE(filter->isEnabled());
    choose(mode, QStringLiteral("To be imported"));
    EXPECT_TRUE(filter->isEnabled());
    QTest::keyClicks(filter, QStringLiteral("M;"));
    click(*window, "Aceptar");
    EXPECT_EQ(setup().LineFilterMode, 2);
    EXPECT_EQ(setup().LineFilterText, "M;");

    auto again = open();
    choose(in<QComboBox>(*again, "cmbLineMark"), QStringLiteral("<Do not use>"));
    EXPECT_FALSE(in<QLineEdit>(*again, "txtMarkLine")->isEnabled());
    click(*again, "Aceptar");
    EXPECT_EQ(setup().LineFilterMode, 0);
    EXPECT_EQ(setup().LineFilterText, "");
}

TEST_F(SetupWindow, SkipCountsThatAreNoCountNameTheFieldAndStoreNothing) {
    const struct {
        const char* box;
        const char* typed;
        int label;
        int problem;
    } wrong[] = {{"LineasPrincipio", "abc", msg::TopLinesToSkipLabel, msg::NotANumber},
                 {"LineasPrincipio", "2.5", msg::TopLinesToSkipLabel, msg::NotANumber},
                 {"Lineas_Final", "-1", msg::BottomLinesToSkipLabel, msg::IncorrectValue},
                 {"Lineas_Final", "40000", msg::BottomLinesToSkipLabel, msg::IncorrectValue}};
    for (const auto& [box, typed, label, problem] : wrong) {
        auto window = open();
        typeInto(in<QComboBox>(*window, box), QLatin1String(typed));
        click(*window, "Aceptar");
        EXPECT_TRUE(window->isVisible()) << typed;
        ASSERT_FALSE(dialogs().shownMessages().isEmpty());
        EXPECT_EQ(dialogs().shownMessages().last(),
                  text(label) + QStringLiteral("\n\n") + text(problem));
    }
    EXPECT_EQ(dialogs().shownMessages().size(), 4);
    EXPECT_EQ(setup().DateFormatName, "");

    auto window = open();
    typeInto(in<QComboBox>(*window, "LineasPrincipio"), QStringLiteral(" 12 "));
    typeInto(in<QComboBox>(*window, "Lineas_Final"), QString());
    click(*window, "Aceptar");
    EXPECT_EQ(setup().TopLinesToSkip, 12);
    EXPECT_EQ(setup().Staging.TopLinesToSkip, 12);
    EXPECT_EQ(setup().BottomLinesToSkip, 0);
}

TEST_F(SetupWindow, TheImporterOptionsAreStored) {
    prepare([](ImportSetup& setup) { setup.OptionZero = true; });
    auto window = open();
    toggle(in<QCheckBox>(*window, "Ceros"));
    toggle(in<QCheckBox>(*window, "O_Init"));
    toggle(in<QCheckBox>(*window, "Encadenadas"));
    click(*window, "Aceptar");
    EXPECT_FALSE(setup().OptionZero);
    EXPECT_TRUE(setup().OptionInit);
    EXPECT_TRUE(setup().OptionTrigger);
}

TEST_F(SetupWindow, TheSpecialOptionsShowTheSetupAndStoreTheChoiceOnOk) {
    prepare([](ImportSetup& setup) { setup.OptionErrOK = true; });
    auto window = open();
    {
        const ModalAnswer specialOptions("frmExperimental", [](QWidget& options) {
            EXPECT_TRUE(in<QRadioButton>(options, "OptErrOK")->isChecked());
            QTest::mouseClick(in<QRadioButton>(options, "OptErrExit"), Qt::LeftButton);
            click(options, "Command1");
        });
        click(*window, "btnEspecialOptions");
    }
    EXPECT_FALSE(setup().OptionErrOK);
    EXPECT_TRUE(setup().OptionErrExit);
    click(*window, "Aceptar");
    EXPECT_TRUE(setup().OptionErrExit);
}

TEST_F(SetupWindow, CancelTakesBackTheSpecialOptionsAndClosingThemStoresNothing) {
    prepare([](ImportSetup& setup) { setup.OptionErrExit = true; });
    auto window = open();
    {
        const ModalAnswer specialOptions("frmExperimental", [](QWidget& options) {
            EXPECT_TRUE(in<QRadioButton>(options, "OptErrExit")->isChecked());
            QTest::mouseClick(in<QRadioButton>(options, "OptDefault"), Qt::LeftButton);
            click(options, "Command1");
        });
        click(*window, "btnEspecialOptions");
    }
    EXPECT_FALSE(setup().OptionErrExit);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(setup().OptionErrExit);

    auto again = open();
    {
        const ModalAnswer specialOptions("frmExperimental", [](QWidget& options) {
            QTest::mouseClick(in<QRadioButton>(options, "OptErrOK"), Qt::LeftButton);
            QTest::keyClick(&options, Qt::Key_Escape);
        });
        click(*again, "btnEspecialOptions");
    }
    EXPECT_TRUE(setup().OptionErrExit);
    EXPECT_FALSE(setup().OptionErrOK);
}

TEST_F(SetupWindow, EnterConfirmsAndEscapeCancels) {
    auto window = open();
    typeInto(in<QComboBox>(*window, "Separador"), QStringLiteral(","));
    QTest::keyClick(in<QComboBox>(*window, "Separador")->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(setup().Separator, ",");

    auto again = open();
    typeInto(in<QComboBox>(*again, "Separador"), QStringLiteral("|"));
    QTest::keyClick(in<QComboBox>(*again, "Separador")->lineEdit(), Qt::Key_Escape);
    EXPECT_EQ(again->result(), QDialog::Rejected);
    EXPECT_EQ(setup().Separator, ",");
}

TEST_F(SetupWindow, OkWaitsWhileAJobHoldsTheSetup) {
    context().session.setSourceFile(folder.write("milk.txt", "A;1\r\nB;2\r\n"));
    prepare([](ImportSetup& setup) { setup.Separator = ";"; });
    auto window = open();
    auto* ok = in<QPushButton>(*window, "Aceptar");
    bool done = false;
    ASSERT_TRUE(context().session.splitSource([&done](auto) { done = true; }));
    EXPECT_FALSE(ok->isEnabled());
    ASSERT_TRUE(waitFor([&done] { return done; }));
    EXPECT_TRUE(ok->isEnabled());
}

TEST_F(SetupWindow, ComingBackFromAnotherWindowShowsTheStoredDateFormatAgain) {
    prepare([](ImportSetup& setup) { setup.DateFormatName = "aa-mm-dd"; });
    auto window = open();
    ASSERT_TRUE(isFocused(*window));
    auto* formats = in<QComboBox>(*window, "FormatoFecha");
    choose(formats, QStringLiteral("ddmmyy"));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(isFocused(other));
    window->activateWindow();
    ASSERT_TRUE(isFocused(*window));
    EXPECT_EQ(formats->currentText(), QStringLiteral("yy-mm-dd"));

    // Back from its own date format window, the user's choice stays.
    const ModalAnswer dateWindow("Formato_De_Fecha", [](QWidget& dates) {
        in<QLineEdit>(dates, "Date_Format")->setText(QStringLiteral("YYMMDD"));
        click(dates, "btnOK");
    });
    choose(formats, QStringLiteral("User Definied"));
    window->activateWindow(); // as the desktop does when the date window closes
    ASSERT_TRUE(isFocused(*window));
    EXPECT_EQ(formats->currentText(), QStringLiteral("User Definied"));
}

TEST_F(SetupWindow, ALoadedSetupIsConfirmedWithoutTheWindow) {
    prepare([](ImportSetup& setup) {
        setup.Separator = "Tabs";
        setup.DateFormatName = "ddmmaaaa";
        setup.DatePattern = "ddmmaaaa";
        setup.AskSendDate = true;
    });
    dialogs().setNextAnswer(QMessageBox::Cancel);
    EXPECT_FALSE(frmOptions::confirmLoadedSetup(context()));
    EXPECT_EQ(dialogs().shownMessages(),
              (QStringList{text(msg::SendDateTodayHint), text(msg::CorrectDateRequired)}));
    EXPECT_EQ(setup().SendDate, "");

    dialogs().setNextAnswer(QMessageBox::Ok);
    EXPECT_TRUE(frmOptions::confirmLoadedSetup(context()));
    EXPECT_EQ(setup().Separator, "\t");
    EXPECT_EQ(setup().DatePattern, "");
    EXPECT_EQ(setup().SendDate, "08122026");
    EXPECT_EQ(dialogs().shownMessages().size(), 3);
}

TEST_F(SetupWindow, ALoadedUserFormatWithoutPatternIsNotConfirmed) {
    prepare([](ImportSetup& setup) { setup.DateFormatName = std::string(kCustomDateFormat); });
    EXPECT_FALSE(frmOptions::confirmLoadedSetup(context()));
    EXPECT_EQ(dialogs().shownMessages(), QStringList{text(msg::DateFormatNotSupported)});
}

} // namespace
} // namespace kolvane::converter
