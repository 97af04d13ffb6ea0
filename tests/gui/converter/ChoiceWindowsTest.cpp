// SPDX-License-Identifier: MIT
// The windows that collect one choice: an automatic import to open (from the
// registered list, with its explanation, or found with the file dialog) and
// the program's language.
#include "converter/frmAbrirDST.h"
#include "converter/frmLanguage.h"
#include "engine/Messages.h"
#include "gui/QtText.h"
#include "tests/gui/converter/ConverterFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace kolvane::converter {
namespace {

using testing::in;

class OpenAutomaticImport : public testing::ConverterFixture {
protected:
    OpenAutomaticImport() {
        milk = folder.write("milk day.dst", "Fixed Columns\r\n3\r\nMorning milk\r\nof the herd\r\n"
                                            "//\r\nrest of the setup\r\n");
        context().automaticImports = {milk, folder.path("gone.dst")};
    }
    std::string milk;
};

TEST_F(OpenAutomaticImport, ListsTheEntriesWithTheirExplanationAndGivesTheOneChosen) {
    frmAbrirDST window(context());
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Open a DST file..."));
    EXPECT_EQ(in<QLabel>(window, "Label2")->text(), QStringLiteral("Explanation"));
    auto* entries = in<QComboBox>(window, "cmbAutomatizaciones");
    ASSERT_EQ(entries->count(), 2);
    EXPECT_EQ(entries->itemText(0), FromPath(milk));
    EXPECT_EQ(entries->currentIndex(), -1);

    auto* explanation = in<QPlainTextEdit>(window, "txtExplanation");
    entries->setCurrentIndex(1);
    EXPECT_EQ(explanation->toPlainText().toStdString(),
              Language("EN").LoadText(msg::AutomationFilesMissing));
    entries->setCurrentIndex(0);
    EXPECT_EQ(explanation->toPlainText(), QStringLiteral("Morning milk\nof the herd"));

    QTest::mouseClick(in<QPushButton>(window, "Aceptar"), Qt::LeftButton);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(window.chosenDst(), milk);
}

TEST_F(OpenAutomaticImport, OkWithNothingChosenAndCancelGiveNothing) {
    frmAbrirDST nothing(context());
    nothing.show();
    QTest::keyClick(&nothing, Qt::Key_Return);
    EXPECT_FALSE(nothing.isVisible());
    EXPECT_EQ(nothing.chosenDst(), "");

    frmAbrirDST cancelled(context());
    cancelled.show();
    in<QComboBox>(cancelled, "cmbAutomatizaciones")->setCurrentIndex(0);
    QTest::mouseClick(in<QPushButton>(cancelled, "CancelButton"), Qt::LeftButton);
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_EQ(cancelled.chosenDst(), "");
}

TEST_F(OpenAutomaticImport, SearchFileGivesTheFileFoundAndACancelledSearchKeepsTheWindow) {
    frmAbrirDST window(context());
    window.show();
    auto* search = in<QPushButton>(window, "Examinar");
    EXPECT_EQ(search->text(), QStringLiteral("Search File..."));
    QTest::mouseClick(search, Qt::LeftButton); // nothing queued: cancelled
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(dialogs().fileRequests().size(), 1);
    EXPECT_EQ(dialogs().fileRequests()[0].title,
              QStringLiteral("Open an Automatic import file..."));
    EXPECT_EQ(dialogs().fileRequests()[0].filter,
              QStringLiteral("Automatic Import files (*.dst);;All (*.*)"));

    const std::string elsewhere = folder.path("elsewhere/calves.dst");
    dialogs().setNextFileName(FromPath(elsewhere));
    QTest::mouseClick(search, Qt::LeftButton);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(window.chosenDst(), elsewhere);
}

using LanguageWindow = testing::ConverterFixture;

TEST_F(LanguageWindow, OffersTheFourLanguagesWithTheCurrentOneChosen) {
    useLanguage("DE");
    frmLanguage window(context());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Sprache ändern"));
    auto* languages = in<QComboBox>(window, "Language");
    QStringList items;
    for (int i = 0; i < languages->count(); ++i) {
        items << languages->itemText(i);
    }
    EXPECT_EQ(items, (QStringList{QStringLiteral("DE"), QStringLiteral("EN"), QStringLiteral("SP"),
                                  QStringLiteral("FR")}));
    EXPECT_EQ(languages->currentText(), QStringLiteral("DE"));
}

TEST_F(LanguageWindow, GivesAnotherLanguageOnlyWhenOneIsChosenAndConfirmed) {
    frmLanguage same(context());
    same.show();
    QTest::mouseClick(in<QPushButton>(same, "OKButton"), Qt::LeftButton);
    EXPECT_EQ(same.result(), QDialog::Accepted);
    EXPECT_EQ(same.chosenLanguage(), std::nullopt);

    frmLanguage other(context());
    other.show();
    in<QComboBox>(other, "Language")->setCurrentIndex(2);
    QTest::keyClick(&other, Qt::Key_Return);
    EXPECT_EQ(other.chosenLanguage(), std::optional<std::string>("SP"));

    frmLanguage cancelled(context());
    cancelled.show();
    in<QComboBox>(cancelled, "Language")->setCurrentIndex(0);
    QTest::keyClick(&cancelled, Qt::Key_Escape);
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_EQ(cancelled.chosenLanguage(), std::nullopt);
}

} // namespace
} // namespace kolvane::converter
