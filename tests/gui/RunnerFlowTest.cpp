// SPDX-License-Identifier: MIT
// Whole runs of the runner's flow in this process, against herdsim installed in
// a sandbox; the windows are driven as a user would, on the offscreen platform.
#include "runner/RunnerFlow.h"

#include "herdlink/QtText.h"
#include "storage/FileRegistry.h"
#include "tests/support/HerdsimSandbox.h"

#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace kolvane {
namespace {

namespace fs = std::filesystem;

const std::string kGoodSource = "Animal;Date;Milk;Cells\r\n"
                                "276000912345678;03-12-26;31,4;120\r\n"
                                "276000912345679;03-12-26;28,9;85\r\n";

class RunnerFlowTest : public ::testing::Test {
protected:
    void SetUp() override {
        sandbox.useInThisProcess();
        dialogs.unattended = true; // an unexpected dialog must not block a test
    }

    RunnerFlow& makeFlow() {
        flow = std::make_unique<RunnerFlow>(RunnerEnvironment{
            registry, dialogs, clock, QString::fromStdString(sandbox.programFolder())});
        finished = std::make_unique<QSignalSpy>(flow.get(), &RunnerFlow::finished);
        return *flow;
    }
    // The exit code, once the run has ended (-1 when it did not end in time).
    int waitForEnd() {
        if (finished->isEmpty() && !finished->wait(60000)) {
            WaitingWindow& waiting = flow->waitingWindow();
            if (waiting.ui.btnDetalles->isVisible()) {
                QTest::mouseClick(waiting.ui.btnDetalles, Qt::LeftButton);
            }
            ADD_FAILURE() << "the run did not end; the waiting window says: "
                          << waiting.ui.Label1->text().toStdString() << '\n'
                          << waiting.ui.txtDetalles->toPlainText().toStdString();
            return -1;
        }
        return finished->first().first().toInt();
    }
    bool waitFor(const std::function<bool()>& condition) {
        return QTest::qWaitFor(condition, 60000);
    }
    QString herdText(int number) const { return FromAnsi(flow->texts().text(number)); }
    void registerImports(const std::string& list) {
        registry.writeValue(RootKey::CurrentUser, "software\\Tremholt\\Kolvane\\Settings",
                            "Automatizaciones", list);
    }

    testing::HerdsimSandbox sandbox{HERDSIM_INSTALL};
    FileRegistry registry{sandbox.registryPath()};
    Dialogs dialogs;
    FixedClock clock{std::chrono::year{2026} / 12 / 8};
    std::unique_ptr<RunnerFlow> flow;
    std::unique_ptr<QSignalSpy> finished;
};

TEST_F(RunnerFlowTest, UnattendedRunImportsAndEnds) {
    const std::string source = sandbox.writeSource("milk.txt", kGoodSource);
    const std::string setup = sandbox.writeMilkSetup("milk.dst", source);
    makeFlow().start(QString::fromStdString("-d -c " + setup));
    EXPECT_EQ(waitForEnd(), kRunnerNoErrors)
        << dialogs.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(sandbox.importedRecords(), 2);
    EXPECT_TRUE(fs::exists(sandbox.programFolder() + "/adis.ads"));
    EXPECT_GT(flow->texts().fetched(), 50); // the texts came from the herd software
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(RunnerFlowTest, ReportedErrorsShowText57AndTheDetails) {
    const std::string source = sandbox.writeSource(
        "bad.txt", "Animal;Date;Milk;Cells\r\n276000912345678;03-12-26;31,4;12x\r\n");
    makeFlow().start(QString::fromStdString("-d -c " + sandbox.writeMilkSetup("bad.dst", source)));
    WaitingWindow& waiting = flow->waitingWindow();
    ASSERT_TRUE(waitFor([&] { return waiting.ui.btnOK->isVisible(); }));
    EXPECT_EQ(waiting.ui.Label1->text(), herdText(herdtext::ErrorsFound));
    EXPECT_TRUE(waiting.ui.btnDetalles->isVisible());
    EXPECT_FALSE(waiting.ui.txtDetalles->isVisible());
    QTest::mouseClick(waiting.ui.btnDetalles, Qt::LeftButton);
    EXPECT_TRUE(waiting.ui.txtDetalles->isVisible());
    EXPECT_TRUE(waiting.ui.btnEndDetalles->isVisible());
    EXPECT_TRUE(waiting.ui.txtDetalles->toPlainText().contains(QStringLiteral("00900047")))
        << waiting.ui.txtDetalles->toPlainText().toStdString();
    QTest::mouseClick(waiting.ui.btnEndDetalles, Qt::LeftButton);
    EXPECT_FALSE(waiting.ui.txtDetalles->isVisible());
    EXPECT_TRUE(waiting.ui.btnDetalles->isVisible());
    QTest::mouseClick(waiting.ui.btnOK, Qt::LeftButton);
    EXPECT_EQ(waitForEnd(), kRunnerReported);
}

TEST_F(RunnerFlowTest, TheSendDateQuestionRefusesAnEmptyDate) {
    const std::string source = sandbox.writeSource("milk.txt", kGoodSource);
    const std::string setup = sandbox.writeMilkSetup("dated.dst", source, true);
    makeFlow().start(QString::fromStdString("-d -c " + setup));
    ASSERT_TRUE(
        waitFor([&] { return flow->sendDateWindow() && flow->sendDateWindow()->isVisible(); }));
    auto& ui = flow->sendDateWindow()->ui;
    EXPECT_EQ(ui.lblFormat->text(), QStringLiteral("(dd-mm-aa)"));
    EXPECT_EQ(ui.Label1->text(), QStringLiteral("Insert a date:"));
    QTest::mouseClick(ui.OKButton, Qt::LeftButton);
    EXPECT_EQ(dialogs.messages.value(0), QStringLiteral("It's necessary to write a date."));
    EXPECT_TRUE(flow->sendDateWindow()->isVisible());
    QTest::keyClicks(ui.fecha, QStringLiteral("05-12-26"));
    QTest::mouseClick(ui.OKButton, Qt::LeftButton);
    EXPECT_EQ(waitForEnd(), kRunnerNoErrors)
        << dialogs.messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(flow->setup().SendDate, "05-12-26");
    EXPECT_EQ(sandbox.importedRecords(), 2);
}

TEST_F(RunnerFlowTest, StartedByHandTheSelectionListsTheRegisteredImports) {
    const std::string first = sandbox.writeMilkSetup("first.dst", "@");
    const std::string gone = sandbox.folder().path("gone.dst");
    registerImports("," + first + "," + gone);
    makeFlow().start({});
    ASSERT_TRUE(flow->mainWindow().isVisible());
    EXPECT_EQ(flow->mainWindow().ui.Label1->text(), herdText(herdtext::PressStart));
    QTest::mouseClick(flow->mainWindow().ui.InitBotton, Qt::LeftButton);
    SelectionWindow* selection = flow->selectionWindow();
    ASSERT_NE(selection, nullptr);
    EXPECT_TRUE(selection->isVisible());
    EXPECT_FALSE(flow->mainWindow().isVisible());
    auto& ui = selection->ui;
    ASSERT_EQ(ui.cmbAutomatizaciones->count(), 2);
    ui.cmbAutomatizaciones->setCurrentIndex(0);
    EXPECT_EQ(ui.lbExplicacion->text(), QStringLiteral("Milk recording of the morning"));
    ui.cmbAutomatizaciones->setCurrentIndex(1);
    EXPECT_EQ(ui.lbExplicacion->text(), herdText(herdtext::DstMissing));
    QTest::mouseClick(ui.Cancel, Qt::LeftButton);
    EXPECT_FALSE(selection->isVisible());
    EXPECT_TRUE(flow->mainWindow().isVisible());
    EXPECT_TRUE(finished->isEmpty());
}

TEST_F(RunnerFlowTest, AnEmptySelectionAsksForTheSetupFile) {
    makeFlow().start({});
    QTest::mouseClick(flow->mainWindow().ui.InitBotton, Qt::LeftButton);
    auto& ui = flow->selectionWindow()->ui;
    EXPECT_EQ(ui.cmbAutomatizaciones->count(), 0);
    QTest::mouseClick(ui.OkButton, Qt::LeftButton); // no file chosen: the window stays
    EXPECT_EQ(dialogs.fileDialogTitles.value(0), QStringLiteral("Abrir fichero de configuracion"));
    EXPECT_EQ(dialogs.fileDialogFilters.value(0), QStringLiteral("Todos los archivos (*.dst)"));
    EXPECT_TRUE(flow->selectionWindow()->isVisible());
}

TEST_F(RunnerFlowTest, ACapitalDstIsNoSetupFile) {
    makeFlow().start(QStringLiteral("C:\\auto\\milk.DST"));
    EXPECT_EQ(dialogs.messages.value(0), herdText(herdtext::NotADstFile));
    EXPECT_TRUE(flow->mainWindow().isVisible());
    EXPECT_TRUE(finished->isEmpty());
}

TEST_F(RunnerFlowTest, WithoutTheAutomationServerTheRunnersOwnTextsServe) {
    registry.writeValue(RootKey::ClassesRoot, "hxautoserver.application\\LocalServer32", "",
                        "/no/such/server");
    const std::string source = sandbox.writeSource("milk.txt", kGoodSource);
    makeFlow().start(QString::fromStdString("-d -c " + sandbox.writeMilkSetup("m.dst", source)));
    EXPECT_EQ(waitForEnd(), kRunnerNoErrors);
    EXPECT_EQ(flow->texts().fetched(), 0);
    EXPECT_EQ(herdText(herdtext::NoErrors),
              QStringLiteral("The import finished without errors or warnings."));
    EXPECT_EQ(sandbox.importedRecords(), 2);
}

TEST_F(RunnerFlowTest, AMissingImporterIsAnErrorNotAnEarlierSuccess) {
    fs::remove(sandbox.installFolder() + "/HXDataExchange.exe");
    sandbox.writeSource("hx/HXDataExchange.ads", "CN\r\nCN\r\nCN\r\nZN an earlier success\r\n");
    const std::string source = sandbox.writeSource("milk.txt", kGoodSource);
    makeFlow().start(QString::fromStdString("-d -c " + sandbox.writeMilkSetup("m.dst", source)));
    WaitingWindow& waiting = flow->waitingWindow();
    ASSERT_TRUE(waitFor([&] { return waiting.ui.btnOK->isVisible(); }));
    EXPECT_EQ(waiting.ui.Label1->text(), herdText(herdtext::ErrorsFound));
    QTest::mouseClick(waiting.ui.btnDetalles, Qt::LeftButton);
    EXPECT_TRUE(
        waiting.ui.txtDetalles->toPlainText().contains(QStringLiteral("could not be started")));
}

TEST_F(RunnerFlowTest, ARowWithTooManyFieldsEndsWithoutAnAdisFile) {
    const std::string source = sandbox.writeSource(
        "wide.txt", "Animal;Date;Milk;Cells\r\n276000912345678;03-12-26;31,4;120\r\n1;2;3;4;5\r\n");
    makeFlow().start(QString::fromStdString("-d -c " + sandbox.writeMilkSetup("w.dst", source)));
    EXPECT_EQ(waitForEnd(), kRunnerNotConverted);
    EXPECT_EQ(dialogs.messages.value(0), herdText(herdtext::TooManyFields));
    EXPECT_FALSE(fs::exists(sandbox.programFolder() + "/adis.ads"));
    EXPECT_EQ(sandbox.importedRecords(), 0);
}

TEST_F(RunnerFlowTest, AHalfReadSetupImportsNothingAndSaysWhere) {
    const std::string source = sandbox.writeSource("milk.txt", kGoodSource);
    const std::string setup = sandbox.writeMilkSetup("cut.dst", source);
    const std::string text = sandbox.folder().read("cut.dst");
    sandbox.writeSource("cut.dst", text.substr(0, text.find("MILKKG")));
    makeFlow().start(QString::fromStdString("-d -c " + setup));
    EXPECT_EQ(waitForEnd(), kRunnerBadSetup);
    EXPECT_TRUE(dialogs.messages.value(0).contains(QString::fromStdString(setup)));
    EXPECT_TRUE(dialogs.messages.value(0).contains(QStringLiteral("line ")));
    EXPECT_EQ(sandbox.importedRecords(), 0);
}

TEST_F(RunnerFlowTest, ConfirmationWindowUnlessStartedWithD) {
    const std::string source = sandbox.writeSource("milk.txt", kGoodSource);
    const std::string setup = sandbox.writeMilkSetup("m.dst", source);
    makeFlow().start(QString::fromStdString("-c " + setup));
    ConfirmationWindow* confirmation = flow->confirmationWindow();
    ASSERT_NE(confirmation, nullptr);
    EXPECT_TRUE(confirmation->isVisible());
    EXPECT_FALSE(confirmation->ui.txtAutomatition->isEnabled());
    EXPECT_EQ(confirmation->ui.txtAutomatition->text(), QString::fromStdString(setup));
    EXPECT_EQ(confirmation->ui.txtexplanation->toPlainText(),
              QStringLiteral("Milk recording of the morning"));
    QTest::mouseClick(confirmation->ui.CancelButton, Qt::LeftButton);
    EXPECT_EQ(waitForEnd(), kRunnerNoErrors);
    EXPECT_EQ(sandbox.importedRecords(), 0);
}

} // namespace
} // namespace kolvane
