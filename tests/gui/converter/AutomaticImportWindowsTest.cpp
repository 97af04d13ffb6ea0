// SPDX-License-Identifier: MIT
// The automatic-import wizard from the choice of the setup file to Finish, and
// the removal window: what the windows show, where they go on Next and
// Previous, and what reaches the disk and the settings store (nothing before
// Finish, nothing on a slip of the mouse).
#include "converter/AutomaticImportWizard.h"
#include "converter/frmElimAutom.h"
#include "engine/Messages.h"
#include "gui/QtText.h"
#include "storage/Settings.h"
#include "tests/gui/converter/ConverterFixture.h"
#include "tests/gui/converter/ModalAnswer.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

namespace kolvane::converter {
namespace {

namespace fs = std::filesystem;
using testing::in;
using testing::ModalScript;
using Step = std::pair<const char*, ModalScript::Answer>;

const std::string kExamples = std::string(KOLVANE_SOURCE_DIR) + "/examples/testday/";

void click(QWidget& window, const char* button) {
    QTest::mouseClick(in<QPushButton>(window, button), Qt::LeftButton);
}
void choose(QWidget& window, const char* option) {
    QTest::mouseClick(in<QRadioButton>(window, option), Qt::LeftButton);
}
void typeInto(QWidget& window, const char* box, const QString& text) {
    QLineEdit* line = in<QLineEdit>(window, box);
    line->clear();
    QTest::keyClicks(line, text);
}
QString text(QWidget& window, const char* box) {
    return in<QLineEdit>(window, box)->text();
}
QCheckBox* check(QWidget& window, const char* box) {
    return in<QCheckBox>(window, box);
}

// Each window's way on: Next on the first four, Finish on the last.
Step next(const char* window) {
    static const std::map<std::string, const char*> buttons{{"Wizard_1", "Command1"},
                                                            {"Wizard_2", "NextButton2"},
                                                            {"Wizard_3", "NextButton3"},
                                                            {"Wizard_4", "NextButton4"},
                                                            {"Wizard_5", "FinishButton"}};
    const char* button = buttons.at(window);
    return {window, [button](QWidget& shown) { click(shown, button); }};
}
Step back(const char* window) {
    return {window, [](QWidget& shown) { click(shown, "PreviosButton"); }};
}

class AutomationWizard : public testing::ConverterFixture {
protected:
    AutomationWizard() {
        fs::create_directories(folder.path("program"));
        EXPECT_TRUE(app().session().openDst(kExamples + "setup.dst").ok());
        app().session().setSourceFile(kExamples + "testday.txt");
    }
    bool build(const std::string& dstPath) {
        dialogs().setNextFileName(FromPath(dstPath));
        return Iniciar_Asistente(context(), parent);
    }
    QString message(int number) { return FromAnsi(context().language.LoadText(number)); }
    std::string stored() { return folder.read("registry.reg"); }
    std::vector<std::string> storedList() { return Settings(registry).automaticImports(); }
    std::string batch(const char* name) { return folder.path("program") + "/" + name + ".sh"; }

    QWidget parent;
};

TEST_F(AutomationWizard, FinishWritesTheBatchFileTheSetupAndTheEntryAsEntered) {
    const std::string dst = folder.path("morning.dst");
    const ModalScript script({
        {"Wizard_1",
         [](QWidget& w) {
             EXPECT_EQ(w.windowTitle(), QStringLiteral("Wizard"));
             EXPECT_TRUE(in<QRadioButton>(w, "Option1")->isChecked());
             EXPECT_FALSE(in<QPushButton>(w, "PreviosButton")->isEnabled());
             check(w, "ChkRunAuto")->setChecked(true);
             check(w, "ckfinishAuto")->setChecked(true);
             click(w, "Command1");
         }},
        {"Wizard_2",
         [](QWidget& w) {
             EXPECT_EQ(text(w, "txtPath"), QStringLiteral("morning")); // preset from the file
             typeInto(w, "txtPath", QStringLiteral("morning milk"));
             click(w, "NextButton2");
         }},
        next("Wizard_3"),
        {"Wizard_4",
         [&](QWidget& w) {
             EXPECT_EQ(text(w, "txtPath"), FromPath(kExamples + "testday.txt"));
             typeInto(w, "txtPath", FromPath(folder.path("today.txt")));
             click(w, "NextButton4");
         }},
        {"Wizard_5",
         [](QWidget& w) {
             in<QPlainTextEdit>(w, "txtExplanation")
                 ->setPlainText(QStringLiteral("Morning milking\nof the whole herd"));
             click(w, "FinishButton");
         }},
    });
    ASSERT_TRUE(build(dst)) << dialogs().shownMessages().join(u'|').toStdString();

    const std::string line = folder.read("program/morning milk.sh");
    EXPECT_EQ(line, "exec '" + folder.path("program/Brennick") + "' -d -c '" + dst + "'\n");
    const std::string setup = folder.read("morning.dst");
    EXPECT_TRUE(setup.starts_with(folder.path("today.txt") +
                                  "\r\n\r\nMorning milking\r\nof the whole herd\r\n//\r\n"))
        << setup.substr(0, 200);
    EXPECT_EQ(context().automaticImports, std::vector<std::string>{dst});
    EXPECT_EQ(storedList(), std::vector<std::string>{dst});
    EXPECT_EQ(dialogs().shownMessages(), QStringList{});
}

TEST_F(AutomationWizard, NoBatchFileAndAnAskedSourceSkipTheFourthWindow) {
    const std::string dst = folder.path("evening.dst");
    const ModalScript script({
        {"Wizard_1",
         [](QWidget& w) {
             choose(w, "Option2");
             EXPECT_FALSE(check(w, "ChkRunAuto")->isEnabled());
             EXPECT_FALSE(check(w, "ckfinishAuto")->isEnabled());
             choose(w, "Option1");
             EXPECT_TRUE(check(w, "ckfinishAuto")->isEnabled());
             choose(w, "Option2");
             click(w, "Command1");
         }},
        next("Wizard_2"),
        {"Wizard_3",
         [](QWidget& w) {
             choose(w, "Option2");
             click(w, "NextButton3");
         }},
        back("Wizard_5"), // back to the third window, not the fourth
        next("Wizard_3"),
        next("Wizard_5"),
    });
    ASSERT_TRUE(build(dst));
    EXPECT_EQ(script.answered().join(u' '),
              QStringLiteral("Wizard_1 Wizard_2 Wizard_3 Wizard_5 Wizard_3 Wizard_5"));
    EXPECT_FALSE(fs::exists(batch("evening")));
    EXPECT_TRUE(folder.read("evening.dst").starts_with("@\r\n"));
    EXPECT_EQ(storedList(), std::vector<std::string>{dst});
}

TEST_F(AutomationWizard, GoingBackToTheFirstWindowAndOnShowsEverythingEntered) {
    const QString source = FromPath(folder.path("herd/today.txt"));
    const ModalScript script({
        {"Wizard_1",
         [](QWidget& w) {
             check(w, "ChkRunAuto")->setChecked(true);
             click(w, "Command1");
         }},
        {"Wizard_2",
         [](QWidget& w) {
             typeInto(w, "txtPath", QStringLiteral("calves"));
             click(w, "NextButton2");
         }},
        next("Wizard_3"),
        {"Wizard_4",
         [&](QWidget& w) {
             typeInto(w, "txtPath", source);
             click(w, "NextButton4");
         }},
        {"Wizard_5",
         [](QWidget& w) {
             in<QPlainTextEdit>(w, "txtExplanation")->setPlainText(QStringLiteral("Calves"));
             click(w, "PreviosButton");
         }},
        {"Wizard_4",
         [&](QWidget& w) {
             EXPECT_EQ(text(w, "txtPath"), source);
             typeInto(w, "txtPath", QString()); // an emptied path is not kept on Previous
             click(w, "PreviosButton");
         }},
        {"Wizard_3",
         [](QWidget& w) {
             EXPECT_TRUE(in<QRadioButton>(w, "Option1")->isChecked());
             click(w, "PreviosButton");
         }},
        {"Wizard_2",
         [](QWidget& w) {
             EXPECT_EQ(text(w, "txtPath"), QStringLiteral("calves"));
             click(w, "PreviosButton");
         }},
        {"Wizard_1",
         [](QWidget& w) {
             EXPECT_TRUE(check(w, "ChkRunAuto")->isChecked());
             EXPECT_FALSE(check(w, "ckfinishAuto")->isChecked());
             click(w, "Command1");
         }},
        next("Wizard_2"),
        next("Wizard_3"),
        {"Wizard_4",
         [&](QWidget& w) {
             EXPECT_EQ(text(w, "txtPath"), source);
             click(w, "NextButton4");
         }},
        {"Wizard_5",
         [](QWidget& w) {
             EXPECT_EQ(in<QPlainTextEdit>(w, "txtExplanation")->toPlainText(),
                       QStringLiteral("Calves"));
             click(w, "FinishButton");
         }},
    });
    ASSERT_TRUE(build(folder.path("young stock.dst")));
    EXPECT_EQ(folder.read("program/calves.sh"), "exec '" + folder.path("program/Brennick") +
                                                    "' -d '" + folder.path("young_stock.dst") +
                                                    "'\n");
}

TEST_F(AutomationWizard, AnEmptyNameOrPathIsToldAndTheWindowStays) {
    const ModalScript script({
        next("Wizard_1"),
        {"Wizard_2",
         [this](QWidget& w) {
             typeInto(w, "txtPath", QString());
             click(w, "NextButton2");
             EXPECT_TRUE(w.isVisible());
             EXPECT_EQ(dialogs().shownMessages().value(0), message(msg::AutomationNameRequired));
             typeInto(w, "txtPath", QStringLiteral("named"));
             click(w, "NextButton2");
         }},
        next("Wizard_3"),
        {"Wizard_4",
         [this](QWidget& w) {
             typeInto(w, "txtPath", QString());
             click(w, "NextButton4");
             EXPECT_TRUE(w.isVisible());
             EXPECT_EQ(dialogs().shownMessages().value(1), message(msg::SourcePathRequired));
             typeInto(w, "txtPath", QStringLiteral("/herd/today.txt"));
             click(w, "NextButton4");
         }},
        next("Wizard_5"),
    });
    ASSERT_TRUE(build(folder.path("named.dst")));
    EXPECT_TRUE(fs::exists(batch("named")));
}

// Closing any window by its frame ends the wizard: no batch file, no setup
// file, no change of the list or the settings store.
TEST_F(AutomationWizard, ClosingAnyWindowByItsFrameWritesNothing) {
    const std::vector<const char*> windows{"Wizard_1", "Wizard_2", "Wizard_3", "Wizard_4",
                                           "Wizard_5"};
    for (std::size_t closed = 0; closed < windows.size(); ++closed) {
        SCOPED_TRACE(windows[closed]);
        const std::string before = stored();
        std::vector<Step> steps;
        for (std::size_t shown = 0; shown < closed; ++shown) {
            steps.push_back(next(windows[shown]));
        }
        steps.push_back({windows[closed], [](QWidget& w) { w.close(); }});
        const ModalScript script(steps);
        EXPECT_FALSE(build(folder.path("closed.dst")));
        EXPECT_FALSE(fs::exists(folder.path("closed.dst")));
        EXPECT_FALSE(fs::exists(batch("closed")));
        EXPECT_TRUE(context().automaticImports.empty());
        EXPECT_EQ(stored(), before);
    }
}

TEST_F(AutomationWizard, TheSetupFileIsAskedForUntilTheWizardCanUseIt) {
    EXPECT_FALSE(Iniciar_Asistente(context(), parent)); // the dialog cancelled
    EXPECT_EQ(dialogs().shownMessages(), QStringList{message(msg::AutomaticFileNotBuilt)});
    ASSERT_EQ(dialogs().fileRequests().size(), 1);
    EXPECT_EQ(dialogs().fileRequests()[0].title, message(msg::SaveDstFileCaption));
    EXPECT_EQ(dialogs().fileRequests()[0].filter, QStringLiteral("Import setup file (*.dst)"));

    // Another extension is refused; blanks become "_", one notice each; a
    // name without an extension gets ".dst".
    dialogs().setNextFileName(FromPath(folder.path("milk.txt")));
    dialogs().setNextFileName(FromPath(folder.path("milk day two")));
    const ModalScript script({next("Wizard_1"),
                              {"Wizard_2",
                               [](QWidget& w) {
                                   EXPECT_EQ(text(w, "txtPath"), QStringLiteral("milk_day_two"));
                                   click(w, "NextButton2");
                               }},
                              next("Wizard_3"),
                              next("Wizard_4"),
                              next("Wizard_5")});
    ASSERT_TRUE(Iniciar_Asistente(context(), parent));
    EXPECT_EQ(
        dialogs().shownMessages().mid(1),
        (QStringList{message(msg::DstExtensionRequired), message(msg::BlanksReplacedInFileName),
                     message(msg::BlanksReplacedInFileName)}));
    EXPECT_TRUE(fs::exists(folder.path("milk_day_two.dst")));
    EXPECT_TRUE(fs::exists(batch("milk_day_two")));
}

TEST_F(AutomationWizard, ARegisteredSetupIsOverwrittenInPlaceOnlyAfterOk) {
    const std::string target = folder.path("noon.dst");
    context().automaticImports = {folder.path("a.dst"), target, folder.path("c.dst")};
    ASSERT_TRUE(Settings(registry).setAutomaticImports(context().automaticImports).ok());
    dialogs().setNextFileName(FromPath(target));
    dialogs().setNextAnswer(QMessageBox::Cancel); // asked again
    dialogs().setNextFileName(FromPath(target));
    dialogs().setNextAnswer(QMessageBox::Ok);
    const ModalScript script(
        {next("Wizard_1"), next("Wizard_2"), next("Wizard_3"), next("Wizard_4"), next("Wizard_5")});
    ASSERT_TRUE(Iniciar_Asistente(context(), parent));
    EXPECT_EQ(dialogs().shownMessages(), (QStringList{message(msg::AutomationAlreadyExists),
                                                      message(msg::AutomationAlreadyExists)}));
    EXPECT_EQ(context().automaticImports,
              (std::vector<std::string>{folder.path("a.dst"), target, folder.path("c.dst")}));
    EXPECT_EQ(storedList(), context().automaticImports);
    EXPECT_TRUE(fs::exists(target));
}

class RemovalWindow : public testing::ConverterFixture {
protected:
    RemovalWindow() {
        milk = folder.write("milk.dst", "@\r\n\r\nMorning milk\r\n//\r\nrest\r\n");
        batchFile = folder.write("program/milk.sh", "exec runner\n");
        const std::string longest = folder.path("a folder with a rather long name/calves.dst");
        context().automaticImports = {milk, folder.path("gone.dst"), longest};
        EXPECT_TRUE(Settings(registry).setAutomaticImports(context().automaticImports).ok());
    }
    std::string milk;
    std::string batchFile;
};

TEST_F(RemovalWindow, ListsTheEntriesInAWideEnoughListAndExplainsTheChosenOne) {
    frmElimAutom window(context());
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Remove an automatic import"));
    auto* entries = in<QComboBox>(window, "cmbAutomatizaciones");
    ASSERT_EQ(entries->count(), 3);
    EXPECT_EQ(entries->currentIndex(), -1);
    EXPECT_GT(entries->view()->minimumWidth(),
              entries->fontMetrics().horizontalAdvance(entries->itemText(2)));
    EXPECT_FALSE(in<QPushButton>(window, "DeleteButton")->isEnabled());
    EXPECT_EQ(in<QPushButton>(window, "DeleteButton")->text(), QStringLiteral("Remove"));

    auto* explanation = in<QPlainTextEdit>(window, "txtExplanation");
    entries->setCurrentIndex(1);
    EXPECT_EQ(explanation->toPlainText(),
              FromAnsi(Language("EN").LoadText(msg::AutomationFilesMissing)));
    entries->setCurrentIndex(0);
    EXPECT_EQ(explanation->toPlainText(), QStringLiteral("Morning milk"));

    QTest::mouseClick(in<QPushButton>(window, "ExitButton"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(RemovalWindow, RemoveAsksNamingTheFileAndDeletesOnlyAfterYes) {
    frmElimAutom window(context());
    window.show();
    auto* entries = in<QComboBox>(window, "cmbAutomatizaciones");
    entries->setCurrentIndex(0);
    dialogs().setNextAnswer(QMessageBox::No);
    QTest::mouseClick(in<QPushButton>(window, "DeleteButton"), Qt::LeftButton);
    ASSERT_EQ(dialogs().shownMessages().size(), 1);
    EXPECT_TRUE(dialogs().shownMessages()[0].endsWith(QLatin1Char('\n') + FromPath(milk)));
    EXPECT_TRUE(fs::exists(milk));
    EXPECT_EQ(context().automaticImports.size(), 3u);

    dialogs().setNextAnswer(QMessageBox::Yes);
    QTest::mouseClick(in<QPushButton>(window, "DeleteButton"), Qt::LeftButton);
    EXPECT_FALSE(fs::exists(milk));
    EXPECT_TRUE(fs::exists(batchFile)) << "the batch file stays";
    EXPECT_EQ(context().automaticImports.size(), 2u);
    EXPECT_EQ(Settings(registry).automaticImports(), context().automaticImports);
    EXPECT_EQ(entries->count(), 2);
    EXPECT_EQ(entries->currentText(), QString());
    EXPECT_EQ(in<QPlainTextEdit>(window, "txtExplanation")->toPlainText(), QString());

    // An entry whose setup file is already gone is simply unregistered.
    entries->setCurrentIndex(0);
    dialogs().setNextAnswer(QMessageBox::Yes);
    QTest::mouseClick(in<QPushButton>(window, "DeleteButton"), Qt::LeftButton);
    EXPECT_EQ(Settings(registry).automaticImports(),
              std::vector<std::string>{folder.path("a folder with a rather long name/calves.dst")});
}

} // namespace
} // namespace kolvane::converter
