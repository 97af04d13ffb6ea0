// SPDX-License-Identifier: MIT
// The date format window: its check of a pattern, its letters in the current
// language, and what it stores.
#include "converter/DatePatternCheck.h"
#include "converter/Formato_De_Fecha.h"
#include "gui/QtText.h"
#include "tests/gui/converter/ConverterFixture.h"
#include "tests/gui/converter/QtPrinters.h"

#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace kolvane::converter {
namespace {

DatePatternCheck english(std::string_view pattern) {
    return CheckDatePattern(pattern, 'Y', 'M', 'D');
}

TEST(CheckDatePattern, AcceptsTwoToFourYearLettersAndTwoForMonthAndDay) {
    for (const char* pattern :
         {"YYYY-MM-DD", "YYMMDD", "MMDDYY", "YY--MM-DD", "DD.MM.YYYY", "DD/MM/YYY", "MM\\DD\\YY"}) {
        const DatePatternCheck check = english(pattern);
        EXPECT_TRUE(check.valid) << pattern;
        EXPECT_EQ(check.message, 0) << pattern;
    }
}

TEST(CheckDatePattern, AnIncompletePatternNeedsTheGeneralMessage) {
    for (const char* pattern : {"YMD", "YY-M-DD", "YYYY-MM", ""}) {
        const DatePatternCheck check = english(pattern);
        EXPECT_FALSE(check.valid) << pattern;
        EXPECT_EQ(check.message, msg::IncorrectDateFormat) << pattern;
    }
}

TEST(CheckDatePattern, StopsAtTheLetterThatMakesAGroupTooLong) {
    const DatePatternCheck year = english("YYYYY-MM-DD");
    EXPECT_EQ(year.message, msg::IncorrectDateFormat);
    EXPECT_EQ(year.position, 4u);
    const DatePatternCheck month = english("YYYY-MMM-DD");
    EXPECT_EQ(month.message, msg::IncorrectDateFormat);
    EXPECT_EQ(month.position, 7u);
}

TEST(CheckDatePattern, ASeparatorBeforeAnyCompleteGroupIsRefusedWithTheSpacedMessage) {
    for (const auto& [pattern, at] : {std::pair<const char*, std::size_t>{"-YYMMDD", 0},
                                      {"D-MM-YY", 1},
                                      {"Y-MM-DD", 1},
                                      {"yyyy-mm-dd", 0}}) {
        const DatePatternCheck check = english(pattern);
        EXPECT_FALSE(check.valid) << pattern;
        EXPECT_EQ(check.message, msg::IncorrectDateFormatSpaced) << pattern;
        EXPECT_EQ(check.position, at) << pattern;
    }
}

TEST(CheckDatePattern, OnlyTheLettersOfTheGivenLanguageCount) {
    EXPECT_TRUE(CheckDatePattern("TT.MM.JJJJ", 'J', 'M', 'T').valid);
    EXPECT_FALSE(CheckDatePattern("DD.MM.YYYY", 'J', 'M', 'T').valid);
    EXPECT_FALSE(CheckDatePattern("TT.MM.JJJJ", 'Y', 'M', 'D').valid);
}

class DateFormatWindow : public testing::ConverterFixture {
protected:
    QString text(int number) { return FromAnsi(app().language().LoadText(number)); }
    void press(Formato_De_Fecha& window, const char* button) {
        QTest::mouseClick(testing::in<QToolButton>(window, button), Qt::LeftButton);
    }
    QLineEdit* box(Formato_De_Fecha& window) {
        return testing::in<QLineEdit>(window, "Date_Format");
    }
    void startWithPattern(const char* pattern) {
        context().session.changeSettings([pattern](ImportSetup& setup) {
            setup.DateFormatName = std::string(kCustomDateFormat);
            setup.DatePattern = pattern;
        });
    }
};

TEST_F(DateFormatWindow, BuildsAPatternFromEnglishLettersAndStoresItOnOk) {
    Formato_De_Fecha window(context());
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Format Setup"));
    EXPECT_EQ(testing::in<QToolButton>(window, "btnAno")->text(), QStringLiteral("Y"));
    EXPECT_EQ(testing::in<QToolButton>(window, "btnAno")->property("key").toString(),
              QStringLiteral("Año"));
    for (const char* button : {"btnDia", "btnDia", "btnSeparador4", "btnMes", "btnMes",
                               "btnSeparador2", "btnAno", "btnAno", "btnAno", "btnAno", "btnAno"}) {
        press(window, button);
    }
    EXPECT_EQ(window.pattern(), QStringLiteral("DD.MM/YYYYY"));
    press(window, "btnBorrar");
    EXPECT_EQ(window.pattern(), QStringLiteral("DD.MM/YYYY"));
    QTest::mouseClick(testing::in<QPushButton>(window, "btnOK"), Qt::LeftButton);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(setup().DatePattern, "DD.MM/YYYY");
    EXPECT_TRUE(dialogs().shownMessages().isEmpty());
}

TEST_F(DateFormatWindow, GermanLettersAreTheOnesTheCheckAccepts) {
    useLanguage("DE");
    Formato_De_Fecha window(context());
    window.show();
    EXPECT_EQ(testing::in<QToolButton>(window, "btnAno")->text(), QStringLiteral("J"));
    EXPECT_EQ(testing::in<QToolButton>(window, "btnMes")->text(), QStringLiteral("M"));
    EXPECT_EQ(testing::in<QToolButton>(window, "btnDia")->text(), QStringLiteral("T"));
    EXPECT_EQ(testing::in<QPushButton>(window, "btnCancel")->text(), QStringLiteral("Abbrechen"));
    box(window)->clear();
    QTest::keyClicks(box(window), QStringLiteral("DD.MM.YYYY"));
    QTest::mouseClick(testing::in<QPushButton>(window, "btnOK"), Qt::LeftButton);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(dialogs().shownMessages(), QStringList{text(msg::IncorrectDateFormatSpaced)});
    QTest::keyClicks(box(window), QStringLiteral("TT.MM.JJJJ"));
    press(window, "btnAcabar");
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(setup().DatePattern, "TT.MM.JJJJ");
}

TEST_F(DateFormatWindow, AWrongPatternIsClearedWithOneMessageAndNothingStored) {
    startWithPattern("DD.MM.YYYY");
    Formato_De_Fecha window(context());
    window.show();
    EXPECT_EQ(window.pattern(), QStringLiteral("DD.MM.YYYY"));
    const struct {
        const char* pattern;
        int message;
    } wrong[] = {{"YMD", msg::IncorrectDateFormat},
                 {"YY-M-DD", msg::IncorrectDateFormat},
                 {"YYYYY-MM-DD", msg::IncorrectDateFormat},
                 {"-YYMMDD", msg::IncorrectDateFormatSpaced},
                 {"D-MM-YY", msg::IncorrectDateFormatSpaced},
                 {"yyyy-mm-dd", msg::IncorrectDateFormatSpaced}};
    QStringList expected;
    for (const auto& [pattern, message] : wrong) {
        box(window)->setText(QLatin1String(pattern));
        QTest::mouseClick(testing::in<QPushButton>(window, "btnOK"), Qt::LeftButton);
        EXPECT_EQ(window.pattern(), QString()) << pattern;
        expected << text(message);
    }
    EXPECT_EQ(dialogs().shownMessages(), expected);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(setup().DatePattern, "DD.MM.YYYY");
}

TEST_F(DateFormatWindow, CancelAndEscapeStoreNothing) {
    startWithPattern("YYMMDD");
    for (const bool escape : {false, true}) {
        Formato_De_Fecha window(context());
        window.show();
        QTest::keyClicks(box(window), QStringLiteral("-MM"));
        if (escape) {
            QTest::keyClick(box(window), Qt::Key_Escape);
        } else {
            QTest::mouseClick(testing::in<QPushButton>(window, "btnCancel"), Qt::LeftButton);
        }
        EXPECT_EQ(window.result(), QDialog::Rejected);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(setup().DatePattern, "YYMMDD");
    }
}

TEST_F(DateFormatWindow, EnterInTheBoxIsOk) {
    Formato_De_Fecha window(context());
    window.show();
    box(window)->clear();
    QTest::keyClicks(box(window), QStringLiteral("MMDDYY"));
    QTest::keyClick(box(window), Qt::Key_Return);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(setup().DatePattern, "MMDDYY");
}

} // namespace
} // namespace kolvane::converter
