// SPDX-License-Identifier: MIT
// Whole imports through the converter's windows, as a user drives them: from
// opening the ASCII file through the setup, the fixed columns and the columns
// window to the saved ADIS file, and what opening a DST, closing the import
// process and changing the language do to the steps.
#include "converter/Workflow.h"

#include "converter/FileOpening.h"
#include "converter/frmMain.h"
#include "engine/Crea_Adis.h"
#include "engine/FixedColumnsTOColumns.h"
#include "engine/TxtTOArray.h"
#include "gui/QtText.h"
#include "storage/DstWriter.h"
#include "storage/Settings.h"
#include "tests/gui/converter/ConverterFixture.h"
#include "tests/gui/converter/ModalAnswer.h"
#include "tests/gui/converter/QtPrinters.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <fstream>
#include <functional>
#include <sstream>

namespace kolvane::converter {
namespace {

using testing::in;
using testing::ModalAnswer;

const std::string kMilkSource = "Animal;Date;Milk\r\n"
                                "276000912345678;03-12-26;31\r\n"
                                "276000912345679;04-12-26;28\r\n";

// Calls `action` when `watched` receives an event of `type`, while it lives.
class EventWatch final : public QObject {
public:
    EventWatch(QObject& watched, QEvent::Type type, std::function<void()> action)
        : watched_(watched), type_(type), action_(std::move(action)) {
        watched_.installEventFilter(this);
    }
    ~EventWatch() override { watched_.removeEventFilter(this); }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == type_) {
            action_();
        }
        return false;
    }

private:
    QObject& watched_;
    QEvent::Type type_;
    std::function<void()> action_;
};

class Workflow_ : public testing::ConverterFixture {
protected:
    frmMain& main() { return app().mainWindow(); }
    void start(const QStringList& arguments = {}) { app().start(arguments); }
    void trigger(const char* action) {
        QAction* found = main().findChild<QAction*>(QLatin1String(action));
        ASSERT_NE(found, nullptr) << action;
        found->trigger();
    }
    QWidget* window(int stepNumber) { return main().stepWindow(stepNumber); }
    bool waitForWindow(int stepNumber) {
        return waitFor([&] { return window(stepNumber) != nullptr; });
    }
    void click(QWidget* on, const char* button) {
        QTest::mouseClick(in<QPushButton>(on, button), Qt::LeftButton);
    }
    // Types a code into the columns window's current column and takes it.
    void giveCode(const char* mnemonic) {
        QLineEdit* box = in<QLineEdit>(window(step::CodesAndColumns), "Mnemonico");
        box->clear();
        QTest::keyClicks(box, QString::fromLatin1(mnemonic));
        QTest::keyClick(box, Qt::Key_Return);
    }
    // The setup window, answered while the workflow waits for it.
    void confirmSetup(const std::function<void(QWidget&)>& fill) {
        const ModalAnswer setupWindow("frmOptions", [fill](QWidget& setup) {
            fill(setup);
            QTest::mouseClick(in<QPushButton>(setup, "Aceptar"), Qt::LeftButton);
        });
        app().workflow().showSetup();
    }
    // What the engine makes of the same setup, without any window.
    std::string engineConversion() {
        ImportSetup copy = setup();
        copy.AdisText.clear();
        SilentPort port;
        NumberFormat numbers{','};
        const EngineContext engine{app().language(), port, numbers, clock};
        const auto read =
            copy.usesFixedColumns()
                ? CutFixedColumns(copy, engine, SourceData::file(copy.SourceFilePath))
                : LoadDelimitedSource(copy, engine, SourceData::file(copy.SourceFilePath));
        EXPECT_TRUE(read.completed()) << read.status.describe();
        EXPECT_TRUE(BuildAdisText(copy, engine).ok());
        return copy.AdisText;
    }
    // Saves the result window's text as the user does and reads it back.
    std::string saveResult() {
        dialogs().setNextFileName(QString::fromStdString(folder.path("saved.ads")));
        trigger("mnuFileSave");
        return folder.read("saved.ads");
    }
};

TEST_F(Workflow_, ADelimitedFileBecomesTheAdisFileTheEngineMakes) {
    start();
    EXPECT_FALSE(main().isStepEnabled(step::Setup));
    dialogs().setNextFileName(QString::fromStdString(folder.write("milk.txt", kMilkSource)));
    trigger("mnuFileOpen");
    ASSERT_NE(window(step::Ascii), nullptr);
    EXPECT_TRUE(main().isStepEnabled(step::Setup));
    EXPECT_EQ(setup().FixedColumnStarts, FixedColumnStarts{0});

    confirmSetup([](QWidget& setupWindow) {
        QComboBox* separator = in<QComboBox>(setupWindow, "Separador");
        separator->setEditText(QStringLiteral(";"));
        in<QComboBox>(setupWindow, "LineasPrincipio")->setEditText(QStringLiteral("1"));
    });
    ASSERT_TRUE(waitForWindow(step::CodesAndColumns));
    EXPECT_EQ(setup().SourceTable.rowCount(), 2u);
    EXPECT_TRUE(main().isStepEnabled(step::CodesAndColumns));
    giveCode("ANIMALID");
    click(window(step::CodesAndColumns), "Siguiente");
    giveCode("TESTDATE");
    click(window(step::CodesAndColumns), "Finalizar");
    ASSERT_TRUE(waitForWindow(step::AdisFile))
        << dialogs().shownMessages().join(u'|').toStdString();
    for (const int later : {step::AdisFile, step::ToHerdSoftware, step::BuildAutomaticImport,
                            step::OpenDataExchange}) {
        EXPECT_TRUE(main().isStepEnabled(later)) << later;
    }
    const std::string& text = setup().AdisText;
    EXPECT_NE(text.find("VN0000002760009123456782026120"), std::string::npos) << text;
    EXPECT_EQ(setup().ColumnTable.back().Mnemonic, app().language().DoNotImportText());
    EXPECT_EQ(text, engineConversion());
    EXPECT_EQ(saveResult(), text + "\r\n");
}

TEST_F(Workflow_, FixedColumnsMarkedByClicksAreCutAndConverted) {
    start();
    const std::string source = "27600091234567803122631\r\n27600091234567904122628\r\n";
    dialogs().setNextFileName(QString::fromStdString(folder.write("fixed.txt", source)));
    trigger("mnuFileOpen");
    context().showFixedColumnsNote = false;
    confirmSetup([this](QWidget& setupWindow) {
        QComboBox* separator = in<QComboBox>(setupWindow, "Separador");
        separator->setCurrentIndex(
            separator->findText(FromAnsi(app().language().LoadText(msg::FixedColumnsCaption))));
        QComboBox* format = in<QComboBox>(setupWindow, "FormatoFecha");
        format->setCurrentIndex(3); // ddmmyy
        emit format->activated(3);
    });
    ASSERT_TRUE(waitForWindow(step::FixedColumns));
    EXPECT_TRUE(main().isStepEnabled(step::FixedColumns));
    QTableView* grid = in<QTableView>(window(step::FixedColumns), "MSFlexGrid1");
    ASSERT_TRUE(waitFor([&] { return grid->model()->columnCount() == 23; }));
    click(window(step::FixedColumns), "btnReset"); // one column of the whole width
    for (const int column : {15, 21}) {            // the date, then the milk
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(0, column)).center());
    }
    EXPECT_EQ(setup().FixedColumnStarts, (FixedColumnStarts{15, 21, 23}));
    click(window(step::FixedColumns), "btnCalcular");
    ASSERT_TRUE(waitForWindow(step::CodesAndColumns));
    EXPECT_EQ(setup().SourceTable.cell(1, 1), "041226");
    giveCode("ANIMALID");
    click(window(step::CodesAndColumns), "Siguiente");
    giveCode("TESTDATE");
    click(window(step::CodesAndColumns), "Finalizar");
    ASSERT_TRUE(waitForWindow(step::AdisFile));
    EXPECT_NE(setup().AdisText.find("27600091234567920261204"), std::string::npos);
    EXPECT_EQ(setup().AdisText, engineConversion());
}

// The bundled example's setup with its source file named, as the wizard
// writes it.
std::string exampleSetup(const kolvane::testing::TempFolder& folder) {
    const std::string examples = std::string(KOLVANE_SOURCE_DIR) + "/examples/testday/";
    std::string text;
    {
        std::ifstream in(examples + "setup.dst", std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        text = all.str();
    }
    return folder.write("milk_day.dst",
                        examples + "testday.txt\r\n" + text.substr(text.find('\n') + 1));
}

TEST_F(Workflow_, ADstOnTheCommandLineLandsOnTheColumnsWindowWithItsColumns) {
    const std::string dst = exampleSetup(folder);
    start({QString::fromStdString(dst)});
    ASSERT_TRUE(waitForWindow(step::CodesAndColumns))
        << dialogs().shownMessages().join(u'|').toStdString();
    EXPECT_NE(window(step::Ascii), nullptr);
    EXPECT_EQ(setup().DstFilePath, dst);
    EXPECT_TRUE(setup().ColumnsFromDst);
    EXPECT_EQ(setup().ColumnTable.front().Mnemonic, "ANIMALID");
    EXPECT_EQ(in<QLineEdit>(window(step::CodesAndColumns), "Mnemonico")->text(),
              QStringLiteral("ANIMALID"));
    EXPECT_EQ(setup().Separator, ";");
    EXPECT_EQ(setup().SourceTable.rowCount(), 48u);
    EXPECT_EQ(main().markedStep(), step::CodesAndColumns);
}

TEST_F(Workflow_, ACapitalDstOnTheCommandLineIsNotOpened) {
    const std::string dst = exampleSetup(folder);
    const std::string capital = folder.write("MILK.DST", folder.read("milk_day.dst"));
    start({QString::fromStdString(capital)});
    QTest::qWait(50); // nothing is under way that could be waited for
    EXPECT_EQ(window(step::Ascii), nullptr);
    EXPECT_EQ(setup().DstFilePath, "");
    EXPECT_EQ(setup().SourceFilePath, "");
}

TEST_F(Workflow_, ADstWithoutASourceFileAsksForOne) {
    const std::string examples = std::string(KOLVANE_SOURCE_DIR) + "/examples/testday/";
    start();
    dialogs().setNextFileName(QString::fromStdString(examples + "testday.txt"));
    app().fileOpening().openDst(examples + "setup.dst", false);
    EXPECT_EQ(dialogs().shownMessages().value(0),
              FromAnsi(app().language().LoadText(msg::AutomaticSourceNotDefined)));
    EXPECT_EQ(setup().SourceFilePath, examples + "testday.txt");
    EXPECT_TRUE(waitForWindow(step::CodesAndColumns));

    // Without a file chosen nothing is opened.
    app().fileOpening().openDst(examples + "setup.dst", false);
    EXPECT_EQ(dialogs().shownMessages().size(), 2);
    EXPECT_EQ(setup().SourceFilePath, "@");
}

TEST_F(Workflow_, ClosingTheImportProcessResetsTheSetupAndTheSteps) {
    start({QString::fromStdString(exampleSetup(folder))});
    ASSERT_TRUE(waitForWindow(step::CodesAndColumns));
    dialogs().setNextAnswer(QMessageBox::No);
    trigger("mnuFileClose");
    EXPECT_NE(window(step::CodesAndColumns), nullptr) << "only Yes closes";
    dialogs().setNextAnswer(QMessageBox::Yes);
    trigger("mnuFileClose");
    EXPECT_EQ(dialogs().shownMessages().back(),
              FromAnsi(app().language().LoadText(msg::AskCloseImportProcess)));
    ASSERT_TRUE(waitFor([&] { return window(step::Ascii) == nullptr; }));
    EXPECT_EQ(window(step::CodesAndColumns), nullptr);
    EXPECT_EQ(setup().DstFilePath, "");
    EXPECT_TRUE(setup().SourceTable.empty());
    EXPECT_TRUE(setup().ColumnTable.empty());
    EXPECT_EQ(main().markedStep(), 0);
    for (int later = step::Setup; later <= step::OpenDataExchange; ++later) {
        EXPECT_FALSE(main().isStepEnabled(later)) << later;
    }
    EXPECT_TRUE(main().isStepEnabled(step::Ascii));
}

// Cancel in the working window stops the split: no columns window, and the
// setup and its tables are as they were before.
TEST_F(Workflow_, ACancelledSplitLeavesTheSetupAsItWas) {
    std::string big = "Animal;Milk\r\n";
    for (int row = 0; row < 1000000; ++row) {
        big += "2760009" + std::to_string(1000000 + row) + ";31\r\n";
    }
    start();
    dialogs().setNextFileName(QString::fromStdString(folder.write("big.txt", big)));
    trigger("mnuFileOpen");
    ASSERT_TRUE(context().session.changeSettings([](ImportSetup& changed) {
        changed.Separator = ";";
        changed.TopLinesToSkip = 1;
    }));
    const ImportSetup before = setup();
    QWidget* working = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QLatin1String("Trabajando")) {
            working = top;
        }
    }
    ASSERT_NE(working, nullptr);
    // Cancel as the window appears: on a busy machine the window thread may
    // otherwise see it shown and hidden again in one go.
    bool cancelled = false;
    const EventWatch onShow(*working, QEvent::Show, [&] {
        click(working, "btnCancelar");
        cancelled = true;
    });
    app().workflow().applySetup();
    ASSERT_TRUE(waitFor([&] { return cancelled; }));
    ASSERT_TRUE(waitFor([&] { return !context().session.busy(); }));
    QTest::qWait(20);
    EXPECT_EQ(window(step::CodesAndColumns), nullptr);
    EXPECT_TRUE(setup().SourceTable.empty());
    EXPECT_EQ(setup().Separator, before.Separator);
    EXPECT_EQ(setup().ColumnTable, before.ColumnTable);
}

TEST_F(Workflow_, ANewLanguageIsToldInTheOldOneAndEndsTheProgram) {
    start();
    const ModalAnswer languageWindow("frmLanguage", [](QWidget& choice) {
        QComboBox* language = in<QComboBox>(choice, "Language");
        language->setCurrentIndex(language->findText(QStringLiteral("DE")));
        QTest::mouseClick(in<QPushButton>(choice, "OKButton"), Qt::LeftButton);
    });
    trigger("mnuLanguage");
    EXPECT_EQ(dialogs().shownMessages().value(0),
              QStringLiteral("The program will be closed to load the new language."));
    EXPECT_FALSE(main().isVisible());
    EXPECT_EQ(Settings(registry).language(), "DE");
}

TEST_F(Workflow_, OpenedFilesAreOfferedAgainAndADroppedSetupOpens) {
    start();
    const std::string source = folder.write("milk.txt", kMilkSource);
    app().fileOpening().openPath(source);
    EXPECT_EQ(Settings(registry).recentFiles(), std::vector<std::string>{source});
    const auto recent = main().findChildren<QAction*>(QStringLiteral("mnuRecentFile"));
    ASSERT_EQ(recent.size(), 1);
    EXPECT_TRUE(recent.front()->text().endsWith(QString::fromStdString(source)));

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(exampleSetup(folder)))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&main(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&main(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_TRUE(waitForWindow(step::CodesAndColumns))
        << dialogs().shownMessages().join(u'|').toStdString();
    EXPECT_EQ(setup().DstFilePath, folder.path("milk_day.dst"));
}

} // namespace
} // namespace kolvane::converter
