// SPDX-License-Identifier: MIT
// The whole journey against the stand-in herd software installed in a
// sandbox: an export through the converter's windows into the herd database,
// and the code dictionary refilled from the herd software.
#include "converter/ConverterApp.h"
#include "converter/Workflow.h"
#include "converter/frmCodigos.h"
#include "converter/frmMain.h"
#include "gui/LargeTextView.h"
#include "gui/QtText.h"
#include "herdlink/CodeDictionary.h"
#include "herdlink/CodeImport.h"
#include "storage/FileRegistry.h"
#include "tests/gui/converter/ConverterFixture.h"
#include "tests/gui/converter/ModalAnswer.h"
#include "tests/gui/converter/QtPrinters.h"
#include "tests/support/HerdsimSandbox.h"
#include "tests/support/Process.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kolvane::converter {
namespace {

using testing::in;
using testing::ModalAnswer;
using testing::ModalScript;

const std::string kExamples = std::string(KOLVANE_SOURCE_DIR) + "/examples/testday/";

class HerdJourney : public ::testing::Test {
protected:
    HerdJourney() {
        std::filesystem::copy_file(SHIPPED_DICTIONARY, dictionary());
        sandbox.useInThisProcess();
    }
    std::string dictionary() const { return sandbox.programFolder() + "/CodigosAds.db"; }
    ConverterApp& app() {
        if (!app_) {
            app_ = std::make_unique<ConverterApp>(ConverterEnvironment{
                registry, clock, dictionary(), sandbox.programFolder(), runner});
            app_->dialogs().setUnattended(true);
            app_->start({});
        }
        return *app_;
    }
    frmMain& main() { return app().mainWindow(); }
    QWidget* window(int stepNumber) { return main().stepWindow(stepNumber); }
    bool waitFor(const std::function<bool()>& condition, int ms = 60000) {
        return QTest::qWaitFor(condition, ms);
    }
    void trigger(const char* action) {
        QAction* found = main().findChild<QAction*>(QLatin1String(action));
        ASSERT_NE(found, nullptr) << action;
        found->trigger();
    }
    static void click(QWidget* on, const char* button) {
        QTest::mouseClick(in<QPushButton>(on, button), Qt::LeftButton);
    }
    void confirmSetup(const std::function<void(QWidget&)>& fill) {
        const ModalAnswer setupWindow("frmOptions", [fill](QWidget& setup) {
            fill(setup);
            QTest::mouseClick(in<QPushButton>(setup, "Aceptar"), Qt::LeftButton);
        });
        app().workflow().showSetup();
    }
    // Gives the current column a code as a user types it; with a decimal
    // separator the box is ticked and the separator chosen.
    void giveCode(const char* mnemonic, const char* separator = nullptr) {
        QWidget* columns = window(step::CodesAndColumns);
        QLineEdit* box = in<QLineEdit>(columns, "Mnemonico");
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, QString::fromLatin1(mnemonic));
        QTest::keyClick(box, Qt::Key_Return);
        if (separator != nullptr) {
            QTest::mouseClick(in<QCheckBox>(columns, "Sep_Decimales"), Qt::LeftButton);
            in<QComboBox>(columns, "Separador")->setEditText(QString::fromLatin1(separator));
        }
        click(columns, "Siguiente");
    }
    // The bundled example through the setup and the columns window, with the
    // codes of its saved setup typed in, up to the result window.
    void convertExample(const std::string& source = kExamples + "testday.txt") {
        app().dialogs().setNextFileName(QString::fromStdString(source));
        trigger("mnuFileOpen");
        confirmSetup([](QWidget& setup) {
            in<QComboBox>(setup, "Separador")->setEditText(QStringLiteral(";"));
            in<QComboBox>(setup, "LineasPrincipio")->setEditText(QStringLiteral("1"));
            in<QComboBox>(setup, "Lineas_Final")->setEditText(QStringLiteral("1"));
        });
        EXPECT_TRUE(waitFor([&] { return window(step::CodesAndColumns) != nullptr; }))
            << messages();
        giveCode("ANIMALID");
        giveCode("TESTDATE");
        giveCode("MILKKG", ",");
        giveCode("FATPCT", ",");
        giveCode("PROTPCT", ",");
        giveCode("CELLCOUNT");
        giveCode("UREA");
        giveCode("LACTNUMBER");
        click(window(step::CodesAndColumns), "No_Importar"); // the remark
        click(window(step::CodesAndColumns), "Finalizar");
        EXPECT_TRUE(waitFor([&] { return window(step::AdisFile) != nullptr; })) << messages();
    }
    std::string messages() { return app().dialogs().shownMessages().join(u'|').toStdString(); }

    kolvane::testing::HerdsimSandbox sandbox{HERDSIM_INSTALL};
    FileRegistry registry{sandbox.registryPath()};
    FixedClock clock{std::chrono::year{2026} / 12 / 8};
    std::string runner = BRENNICK;
    std::unique_ptr<ConverterApp> app_;
};

TEST_F(HerdJourney, TheExportReachesTheHerdDatabase) {
    convertExample();
    ASSERT_NE(window(step::AdisFile), nullptr);
    main().Ir_A_Paso(QStringLiteral("TOHX"));
    EXPECT_EQ(messages(), "");
    const std::string handed = sandbox.programFolder() + "/ADIS.ads";
    ASSERT_TRUE(std::filesystem::exists(handed));
    // The importer runs on its own; its records arrive in the herd database.
    ASSERT_TRUE(waitFor([&] { return sandbox.importedRecords() == 48; }))
        << sandbox.importedRecords() << " records; " << messages();
}

TEST_F(HerdJourney, AFixedWidthExportReachesTheHerdDatabase) {
    const std::string source = sandbox.writeSource(
        "fixed.txt", "276000912345678031226314\r\n276000912345679041226289\r\n");
    app().context().showFixedColumnsNote = false;
    app().dialogs().setNextFileName(QString::fromStdString(source));
    trigger("mnuFileOpen");
    confirmSetup([this](QWidget& setup) {
        QComboBox* separator = in<QComboBox>(setup, "Separador");
        separator->setCurrentIndex(
            separator->findText(FromAnsi(app().language().LoadText(msg::FixedColumnsCaption))));
        QComboBox* format = in<QComboBox>(setup, "FormatoFecha");
        format->setCurrentIndex(3); // ddmmyy
        emit format->activated(3);
    });
    ASSERT_TRUE(waitFor([&] { return window(step::FixedColumns) != nullptr; }));
    QTableView* grid = in<QTableView>(window(step::FixedColumns), "MSFlexGrid1");
    ASSERT_TRUE(waitFor([&] { return grid->model()->columnCount() == 24; }));
    click(window(step::FixedColumns), "btnReset");
    for (const int column : {15, 21}) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(0, column)).center());
    }
    click(window(step::FixedColumns), "btnCalcular");
    ASSERT_TRUE(waitFor([&] { return window(step::CodesAndColumns) != nullptr; })) << messages();
    giveCode("ANIMALID");
    giveCode("TESTDATE");
    giveCode("MILKKG");
    click(window(step::CodesAndColumns), "Finalizar");
    ASSERT_TRUE(waitFor([&] { return window(step::AdisFile) != nullptr; })) << messages();
    main().Ir_A_Paso(QStringLiteral("TOHX"));
    ASSERT_TRUE(waitFor([&] { return sandbox.importedRecords() == 2; }))
        << sandbox.importedRecords() << " records; " << messages();
}

// A milk yield of 1234,5 kg does not fit its item: the result window shows it
// beside the ADIS text, and the import asks first.
TEST_F(HerdJourney, WrongValuesAreShownAndTheImportAsksFirst) {
    std::string text;
    {
        std::ifstream in(kExamples + "testday.txt", std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        text = all.str();
    }
    const std::string good = "276000794573555;04-12-26;16,5;";
    ASSERT_NE(text.find(good), std::string::npos);
    text.replace(text.find(good), good.size(), "276000794573555;04-12-26;1234,5;");
    convertExample(sandbox.writeSource("testday.txt", text));
    QWidget* result = window(step::AdisFile);
    ASSERT_NE(result, nullptr);
    EXPECT_TRUE(in<QLabel>(result, "lblFindings")
                    ->text()
                    .contains(QStringLiteral("1 value cut (1 error, 0 warnings)")))
        << in<QLabel>(result, "lblFindings")->text().toStdString();
    auto* list = in<QTreeWidget>(result, "lstFindings");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    QTreeWidgetItem* cut = list->topLevelItem(0);
    EXPECT_EQ(cut->text(0), QStringLiteral("3")); // the source file's line
    EXPECT_EQ(cut->text(2), QStringLiteral("MILKKG"));
    EXPECT_EQ(cut->text(3), QStringLiteral("1234,5"));
    emit list->itemActivated(cut, 0);
    auto* view = in<LargeTextView>(result, "Text1");
    EXPECT_TRUE(view->selectedText().startsWith(QStringLiteral("VN")))
        << view->selectedText().toStdString();
    EXPECT_TRUE(view->selectedText().contains(QStringLiteral("276000794573555")));

    app().dialogs().setNextAnswer(QMessageBox::No);
    main().Ir_A_Paso(QStringLiteral("TOHX"));
    EXPECT_TRUE(messages().find("1 value is wrong") != std::string::npos) << messages();
    EXPECT_FALSE(std::filesystem::exists(sandbox.programFolder() + "/ADIS.ads"));
    app().dialogs().setNextAnswer(QMessageBox::Yes);
    main().Ir_A_Paso(QStringLiteral("TOHX"));
    ASSERT_TRUE(waitFor([&] { return sandbox.importedRecords() == 48; })) << messages();
}

// Without the herd software the user learns so and what to do; a missing
// importer is looked for with the user and the one located is started.
TEST_F(HerdJourney, TheImporterIsFoundOrTheUserIsToldWhatToDo) {
    convertExample();
    ASSERT_NE(window(step::AdisFile), nullptr);
    const std::string install = sandbox.installFolder();
    registry.writeValue(RootKey::CurrentUser, WinReg::kInstallKey, "Path", "");
    main().Ir_A_Paso(QStringLiteral("TOHX"));
    EXPECT_EQ(app().dialogs().shownMessages().back(),
              FromAnsi(app().language().LoadText(msg::HerdSoftwareNotInstalled)));

    registry.writeValue(RootKey::CurrentUser, WinReg::kInstallKey, "Path", install);
    const std::string located = sandbox.folder().path("elsewhere/HXDataExchange.exe");
    std::filesystem::create_directories(sandbox.folder().path("elsewhere"));
    // The importer moved away; the one the user finds is the same program
    // (a link to it: it keeps its herd database in its own folder).
    std::filesystem::rename(install + "/HXDataExchange.exe", install + "/moved.exe");
    std::filesystem::create_symlink(install + "/moved.exe", located);
    app().dialogs().setNextFileName(QString::fromStdString(located));
    main().Ir_A_Paso(QStringLiteral("TOHX"));
    ASSERT_FALSE(app().dialogs().fileRequests().isEmpty());
    EXPECT_EQ(app().dialogs().fileRequests().back().title,
              FromAnsi(app().language().LoadText(msg::SearchHxDataExchange)));
    ASSERT_TRUE(waitFor([&] { return sandbox.importedRecords() == 48; }))
        << sandbox.importedRecords() << " records; " << messages();
}

// Imported once from the result window, then built in the wizard: the
// automatic import runs from its batch file without the converter and without
// a question; removed, it is gone from the list.
TEST_F(HerdJourney, AnAutomaticImportFromTheWizardRunsUnattendedUntilRemoved) {
    // The runner beside the converter, so that its files land in the sandbox.
    runner = sandbox.programFolder() + "/Brennick";
    std::filesystem::copy_file(BRENNICK, runner);
    convertExample();
    ASSERT_NE(window(step::AdisFile), nullptr);
    main().Ir_A_Paso(QStringLiteral("TOHX"));
    ASSERT_TRUE(waitFor([&] { return sandbox.importedRecords() == 48; })) << messages();
    const std::string dst = sandbox.folder().path("test day.dst");
    app().dialogs().setNextFileName(FromPath(dst));
    {
        const auto next = [](const char* button) {
            return [button](QWidget& shown) { click(&shown, button); };
        };
        const ModalScript wizard({
            {"Wizard_1",
             [](QWidget& w) {
                 in<QCheckBox>(w, "ChkRunAuto")->setChecked(true);
                 in<QCheckBox>(w, "ckfinishAuto")->setChecked(true);
                 click(&w, "Command1");
             }},
            {"Wizard_2", next("NextButton2")},
            {"Wizard_3", next("NextButton3")},
            {"Wizard_4", next("NextButton4")},
            {"Wizard_5",
             [](QWidget& w) {
                 in<QPlainTextEdit>(w, "txtExplanation")->setPlainText(QStringLiteral("Test day"));
                 click(&w, "FinishButton");
             }},
        });
        main().Ir_A_Paso(QStringLiteral("BuildAI"));
    }
    const std::string registered = sandbox.folder().path("test_day.dst");
    ASSERT_EQ(app().context().automaticImports, std::vector<std::string>{registered}) << messages();
    const std::string batchFile = sandbox.programFolder() + "/test_day.sh";
    ASSERT_TRUE(std::filesystem::exists(batchFile));

    kolvane::testing::ProcessOptions options;
    options.environment = sandbox.environment();
    const auto run = kolvane::testing::RunProgram("/bin/sh", {batchFile}, options);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(sandbox.importedRecords(), 96) << "the same records a second time";

    {
        const ModalAnswer removal("frmElimAutom", [this](QWidget& w) {
            in<QComboBox>(w, "cmbAutomatizaciones")->setCurrentIndex(0);
            app().dialogs().setNextAnswer(QMessageBox::Yes);
            click(&w, "DeleteButton");
            click(&w, "ExitButton");
        });
        trigger("mnuBorrarDST");
    }
    EXPECT_TRUE(app().context().automaticImports.empty());
    EXPECT_TRUE(Settings(registry).automaticImports().empty());
    EXPECT_FALSE(std::filesystem::exists(registered));
    EXPECT_TRUE(std::filesystem::exists(batchFile));
}

TEST_F(HerdJourney, TheCodeImportRefillsTheDictionaryForTheNextStart) {
    ASSERT_TRUE(ReplaceCodes(dictionary(), {}).ok());
    trigger("RecargarDb");
    ASSERT_TRUE(waitFor([&] { return !app().session().busy(); }));
    // The empty dictionary was told at start (the code list), then the refill.
    EXPECT_EQ(app().dialogs().shownMessages(),
              (QStringList{FromAnsi(app().language().LoadText(msg::DatabaseHasNoData)),
                           FromAnsi(app().language().LoadText(msg::CodesImportedRestart))}));
    EXPECT_FALSE(main().isVisible()) << "the program ends after the code import";
    Status status;
    EXPECT_EQ(CodeDictionary(dictionary()).allCodes(status).size(), 76u);
    EXPECT_EQ(Settings(registry).language(), "EN"); // nothing of this run was saved
    EXPECT_TRUE(Settings(registry).recentFiles().empty());

    // The next start lists the new codes.
    app_.reset();
    frmCodigos* list = nullptr;
    for (frmCodigos* window : main().findChildren<frmCodigos*>()) {
        if (window->kind() == frmCodigos::Kind::CodeList) {
            list = window;
        }
    }
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(waitFor([&] { return !list->filling(); }));
    EXPECT_EQ(list->codeCount(), 76);
}

TEST_F(HerdJourney, AFailingServerLeavesTheDictionaryAsItWas) {
    registry.writeValue(RootKey::ClassesRoot, "hxautoserver.application\\LocalServer32", "",
                        "\"" + sandbox.installFolder() + "/no-such-server\"");
    const auto before = sandbox.folder().read("program/CodigosAds.db");
    trigger("RecargarDb");
    ASSERT_TRUE(waitFor([&] { return !app().session().busy(); }));
    EXPECT_EQ(app().dialogs().shownMessages().value(0),
              FromAnsi(app().language().LoadText(msg::CodeImportServerUnavailable)));
    EXPECT_TRUE(main().isVisible()) << "the program goes on";
    EXPECT_EQ(sandbox.folder().read("program/CodigosAds.db"), before);
}

} // namespace
} // namespace kolvane::converter
