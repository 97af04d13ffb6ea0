// SPDX-License-Identifier: MIT
// Whole runs of the runner's flow in this process, against herdsim installed in
// a sandbox; the windows are driven as a user would, on the offscreen platform.
#include "tests/gui/RunnerFlowFixture.h"

namespace kolvane::runner {
namespace {

using namespace flowtest;

TEST_F(RunnerFlowTest, UnattendedRunImportsAndEnds) {
    const std::string source = sandbox.writeSource("milk.txt", kGoodSource);
    const std::string setup = sandbox.writeMilkSetup("milk.dst", source);
    makeFlow().start(QString::fromStdString("-d -c " + setup));
    EXPECT_EQ(waitForEnd(), kRunnerNoErrors)
        << dialogs.shownMessages().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(sandbox.importedRecords(), 2);
    EXPECT_TRUE(fs::exists(sandbox.programFolder() + "/adis.ads"));
    EXPECT_GT(flow->texts().fetched(), 50); // the texts came from the herd software
    EXPECT_TRUE(dialogs.shownMessages().isEmpty());
}

TEST_F(RunnerFlowTest, ReportedErrorsShowText57AndTheDetails) {
    const std::string source = sandbox.writeSource(
        "bad.txt", "Animal;Date;Milk;Cells\r\n276000912345678;03-12-26;31,4;12x\r\n");
    makeFlow().start(QString::fromStdString("-d -c " + sandbox.writeMilkSetup("bad.dst", source)));
    QWidget& waiting = flow->waitingWindow();
    ASSERT_TRUE(waitFor([&] { return in<QPushButton>(waiting, "btnOK")->isVisible(); }));
    EXPECT_EQ(in<QLabel>(waiting, "Label1")->text(), herdText(herdtext::ErrorsFound));
    EXPECT_TRUE(in<QPushButton>(waiting, "btnDetalles")->isVisible());
    EXPECT_FALSE(in<QPlainTextEdit>(waiting, "txtDetalles")->isVisible());
    QTest::mouseClick(in<QPushButton>(waiting, "btnDetalles"), Qt::LeftButton);
    EXPECT_TRUE(in<QPlainTextEdit>(waiting, "txtDetalles")->isVisible());
    EXPECT_TRUE(in<QPushButton>(waiting, "btnEndDetalles")->isVisible());
    EXPECT_TRUE(in<QPlainTextEdit>(waiting, "txtDetalles")
                    ->toPlainText()
                    .contains(QStringLiteral("00900047")))
        << in<QPlainTextEdit>(waiting, "txtDetalles")->toPlainText().toStdString();
    QTest::mouseClick(in<QPushButton>(waiting, "btnEndDetalles"), Qt::LeftButton);
    EXPECT_FALSE(in<QPlainTextEdit>(waiting, "txtDetalles")->isVisible());
    EXPECT_TRUE(in<QPushButton>(waiting, "btnDetalles")->isVisible());
    QTest::mouseClick(in<QPushButton>(waiting, "btnOK"), Qt::LeftButton);
    EXPECT_EQ(waitForEnd(), kRunnerReported);
}

TEST_F(RunnerFlowTest, TheSendDateQuestionOffersTodayAndRefusesAnEmptyDate) {
    const std::string source = sandbox.writeSource("milk.txt", kGoodSource);
    const std::string setup = sandbox.writeMilkSetup("dated.dst", source, true);
    makeFlow().start(QString::fromStdString("-d -c " + setup));
    ASSERT_TRUE(
        waitFor([&] { return flow->sendDateWindow() && flow->sendDateWindow()->isVisible(); }));
    QWidget* ui = flow->sendDateWindow();
    EXPECT_EQ(in<QLabel>(ui, "lblFormat")->text(), QStringLiteral("(dd-mm-yy)"));
    EXPECT_EQ(in<QLabel>(ui, "Label1")->text(), QStringLiteral("Insert a date:"));
    // Today in the setup's format, selected: typing replaces it.
    QLineEdit* date = in<QLineEdit>(ui, "fecha");
    EXPECT_EQ(date->text(), QStringLiteral("08-12-26"));
    EXPECT_EQ(date->selectedText(), date->text());
    date->clear();
    QTest::mouseClick(in<QPushButton>(ui, "OKButton"), Qt::LeftButton);
    EXPECT_EQ(dialogs.shownMessages().value(0), QStringLiteral("It's necessary to write a date."));
    EXPECT_TRUE(flow->sendDateWindow()->isVisible());
    QTest::keyClicks(in<QLineEdit>(ui, "fecha"), QStringLiteral("05-12-26"));
    QTest::mouseClick(in<QPushButton>(ui, "OKButton"), Qt::LeftButton);
    EXPECT_EQ(waitForEnd(), kRunnerNoErrors)
        << dialogs.shownMessages().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(flow->setup().SendDate, "05-12-26");
    EXPECT_EQ(sandbox.importedRecords(), 2);
}

TEST_F(RunnerFlowTest, StartedByHandTheSelectionListsTheRegisteredImports) {
    const std::string first = sandbox.writeMilkSetup("first.dst", "@");
    const std::string gone = sandbox.folder().path("gone.dst");
    registerImports("," + first + "," + gone);
    makeFlow().start({});
    ASSERT_TRUE(flow->mainWindow().isVisible());
    EXPECT_EQ(in<QLabel>(flow->mainWindow(), "Label1")->text(), herdText(herdtext::PressStart));
    QTest::mouseClick(in<QPushButton>(flow->mainWindow(), "InitBotton"), Qt::LeftButton);
    QWidget* selection = flow->selectionWindow();
    ASSERT_NE(selection, nullptr);
    EXPECT_TRUE(selection->isVisible());
    EXPECT_FALSE(flow->mainWindow().isVisible());
    QWidget* ui = selection;
    ASSERT_EQ(in<QComboBox>(ui, "cmbAutomatizaciones")->count(), 2);
    in<QComboBox>(ui, "cmbAutomatizaciones")->setCurrentIndex(0);
    EXPECT_EQ(in<QLabel>(ui, "lbExplicacion")->text(),
              QStringLiteral("Milk recording of the morning"));
    in<QComboBox>(ui, "cmbAutomatizaciones")->setCurrentIndex(1);
    EXPECT_EQ(in<QLabel>(ui, "lbExplicacion")->text(), herdText(herdtext::DstMissing));
    QTest::mouseClick(in<QPushButton>(ui, "Cancel"), Qt::LeftButton);
    EXPECT_FALSE(selection->isVisible());
    EXPECT_TRUE(flow->mainWindow().isVisible());
    EXPECT_TRUE(finished->isEmpty());
}

TEST_F(RunnerFlowTest, WithNothingRegisteredTheSelectionOffersTheSearch) {
    makeFlow().start({});
    QTest::mouseClick(in<QPushButton>(flow->mainWindow(), "InitBotton"), Qt::LeftButton);
    QWidget* ui = flow->selectionWindow();
    EXPECT_EQ(in<QComboBox>(ui, "cmbAutomatizaciones")->count(), 0);
    EXPECT_FALSE(in<QComboBox>(ui, "cmbAutomatizaciones")->isVisible());
    EXPECT_EQ(in<QLabel>(ui, "lbExplicacion")->text(),
              FromAnsi(Language("EN").LoadText(msg::NoAutomaticImports)));
    QPushButton* search = in<QPushButton>(ui, "btnSearchFile");
    EXPECT_TRUE(search->isVisible());
    EXPECT_EQ(search->text(), QStringLiteral("Search File..."));
    QTest::mouseClick(search, Qt::LeftButton); // no file chosen: the window stays
    EXPECT_EQ(dialogs.fileRequests().value(0).title, QStringLiteral("Open an import setup file"));
    EXPECT_EQ(dialogs.fileRequests().value(0).filter, QStringLiteral("Import setup files (*.dst)"));
    EXPECT_TRUE(flow->selectionWindow()->isVisible());

    // A file found by the search runs, and is offered first the next time.
    const std::string found =
        sandbox.writeMilkSetup("found.dst", sandbox.writeSource("milk.txt", kGoodSource));
    dialogs.setNextFileName(QString::fromStdString(found));
    QTest::mouseClick(search, Qt::LeftButton);
    ASSERT_TRUE(
        waitFor([&] { return in<QPushButton>(flow->waitingWindow(), "btnOK")->isVisible(); }));
    EXPECT_EQ(sandbox.importedRecords(), 2);
    EXPECT_EQ(Settings(registry).lastAutomaticImport(), found);
}

TEST_F(RunnerFlowTest, ACapitalDstIsNoSetupFile) {
    makeFlow().start(QStringLiteral("C:\\auto\\milk.DST"));
    EXPECT_EQ(dialogs.shownMessages().value(0), herdText(herdtext::NotADstFile));
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
    QWidget& waiting = flow->waitingWindow();
    ASSERT_TRUE(waitFor([&] { return in<QPushButton>(waiting, "btnOK")->isVisible(); }));
    EXPECT_EQ(in<QLabel>(waiting, "Label1")->text(), herdText(herdtext::ErrorsFound));
    QTest::mouseClick(in<QPushButton>(waiting, "btnDetalles"), Qt::LeftButton);
    EXPECT_TRUE(in<QPlainTextEdit>(waiting, "txtDetalles")
                    ->toPlainText()
                    .contains(QStringLiteral("could not be started")));
}

// A cut value and a record the importer refuses: "-c" does not close, the
// outcome names the counts beside the warning icon, the details begin with the
// value check and place the importer's group in the source file.
TEST_F(RunnerFlowTest, WrongValuesAreNeverASuccess) {
    const std::string source = sandbox.writeSource(
        "milk.txt", "Animal;Date;Milk;Cells\r\n276000912345678;03-12-26;1234,5;120\r\n"
                    "276000912345679;04-12-26;28,9;8y\r\n");
    makeFlow().start(QString::fromStdString("-d -c " + sandbox.writeMilkSetup("m.dst", source)));
    QWidget& waiting = flow->waitingWindow();
    ASSERT_TRUE(waitFor([&] { return in<QPushButton>(waiting, "btnOK")->isVisible(); }));
    EXPECT_TRUE(finished->isEmpty());
    EXPECT_EQ(in<QLabel>(waiting, "Label1")->text(), herdText(herdtext::ErrorsFound));
    EXPECT_EQ(in<QLabel>(waiting, "lblCounts")->text(),
              QStringLiteral("1 of 2 records imported; 1 error, 1 warning."));
    EXPECT_FALSE(in<QLabel>(waiting, "lblOutcomeIcon")->pixmap().isNull());
    QTest::mouseClick(in<QPushButton>(waiting, "btnDetalles"), Qt::LeftButton);
    const QString details = in<QPlainTextEdit>(waiting, "txtDetalles")->toPlainText();
    EXPECT_TRUE(details.startsWith(QString::fromStdString(
        source + ":2: column 3 (MILKKG): \"1234,5\" cut to 3 characters (\"123\")")))
        << details.toStdString();
    EXPECT_TRUE(details.contains(QStringLiteral("(record 2), source line 3\n")))
        << details.toStdString();
}

TEST_F(RunnerFlowTest, AnImportOfNothingEndsWithTheNoLinesMessage) {
    const std::string source = sandbox.writeSource("head.txt", "Animal;Date;Milk;Cells\r\n");
    makeFlow().start(QString::fromStdString("-d -c " + sandbox.writeMilkSetup("h.dst", source)));
    EXPECT_EQ(waitForEnd(), kRunnerNotConverted);
    EXPECT_TRUE(
        dialogs.shownMessages().value(0).contains(QStringLiteral("No lines to be imported")))
        << dialogs.shownMessages().value(0).toStdString();
    EXPECT_EQ(sandbox.importedRecords(), 0);
}

TEST_F(RunnerFlowTest, ARowWithTooManyFieldsEndsWithoutAnAdisFile) {
    const std::string source = sandbox.writeSource(
        "wide.txt", "Animal;Date;Milk;Cells\r\n276000912345678;03-12-26;31,4;120\r\n1;2;3;4;5\r\n");
    makeFlow().start(QString::fromStdString("-d -c " + sandbox.writeMilkSetup("w.dst", source)));
    EXPECT_EQ(waitForEnd(), kRunnerNotConverted);
    // The herd software's words, then the file and the line with the extra field.
    const QString told = dialogs.shownMessages().value(0);
    EXPECT_TRUE(told.startsWith(herdText(herdtext::TooManyFields))) << told.toStdString();
    EXPECT_TRUE(told.endsWith(QStringLiteral("wide.txt, source line 3"))) << told.toStdString();
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
    EXPECT_TRUE(dialogs.shownMessages().value(0).contains(QString::fromStdString(setup)));
    EXPECT_TRUE(dialogs.shownMessages().value(0).contains(QStringLiteral("line ")));
    EXPECT_EQ(sandbox.importedRecords(), 0);
}

TEST_F(RunnerFlowTest, ConfirmationWindowUnlessStartedWithD) {
    const std::string source = sandbox.writeSource("milk.txt", kGoodSource);
    const std::string setup = sandbox.writeMilkSetup("m.dst", source);
    makeFlow().start(QString::fromStdString("-c " + setup));
    QWidget* confirmation = flow->confirmationWindow();
    ASSERT_NE(confirmation, nullptr);
    EXPECT_TRUE(confirmation->isVisible());
    EXPECT_FALSE(in<QLineEdit>(confirmation, "txtAutomatition")->isEnabled());
    EXPECT_EQ(in<QLineEdit>(confirmation, "txtAutomatition")->text(),
              QString::fromStdString(setup));
    EXPECT_EQ(in<QPlainTextEdit>(confirmation, "txtexplanation")->toPlainText(),
              QStringLiteral("Milk recording of the morning"));
    QTest::mouseClick(in<QPushButton>(confirmation, "CancelButton"), Qt::LeftButton);
    EXPECT_EQ(waitForEnd(), kRunnerNoErrors);
    EXPECT_EQ(sandbox.importedRecords(), 0);
}

// The user closes the waiting window while the conversion waits for the
// answer to a question (a date it cannot translate): the program ends at
// once, without waiting for the question that can no longer be shown.
TEST_F(RunnerFlowTest, ClosingWhileTheConversionAsksDoesNotDeadlock) {
    dialogs.setUnattended(false); // the question would need a user
    const std::string source = sandbox.writeSource(
        "baddate.txt", "Animal;Date;Milk;Cells\r\n276000912345678;3-12;31,4;120\r\n");
    makeFlow().start(QString::fromStdString("-d -c " + sandbox.writeMilkSetup("d.dst", source)));
    // No events are processed: the question waits on the window thread.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (flow->port().waitingQuestions() == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
    ASSERT_EQ(flow->port().waitingQuestions(), 1);
    flow->waitingWindow().close();
    EXPECT_EQ(finished->count(), 1);
    flow.reset();
    EXPECT_TRUE(dialogs.shownMessages().isEmpty());
    EXPECT_FALSE(fs::exists(sandbox.programFolder() + "/adis.ads"));
    EXPECT_EQ(sandbox.importedRecords(), 0);
}

// A farmer's folder with a letter outside ASCII: the setup, the source and the
// program folder are found by their real names.
TEST_F(RunnerFlowTest, ANonAsciiFolderRunsEndToEnd) {
    // Blanks would split the command line: the DST's own folder has none.
    const std::string source = sandbox.writeSource("Müller Hof/milch.txt", kGoodSource);
    sandbox.writeSource("Müller_Hof/.keep", "");
    const std::string setup = sandbox.writeMilkSetup("Müller_Hof/milch.dst", source);
    makeFlow().start(QString::fromUtf8("-d -c " + setup));
    EXPECT_EQ(waitForEnd(), kRunnerNoErrors)
        << dialogs.shownMessages().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(sandbox.importedRecords(), 2);
    EXPECT_EQ(flow->setup().DstFilePath, setup);
}

// Typed in another format, the send date would still give eight characters and
// reach every record wrong: the question tells the format and stays open.
TEST_F(RunnerFlowTest, TheSendDateQuestionRefusesADateThatDoesNotReadInTheFormat) {
    const std::string source = sandbox.writeSource("milk.txt", kGoodSource);
    makeFlow().start(
        QString::fromStdString("-d -c " + sandbox.writeMilkSetup("dated.dst", source, true)));
    ASSERT_TRUE(
        waitFor([&] { return flow->sendDateWindow() && flow->sendDateWindow()->isVisible(); }));
    QWidget* ui = flow->sendDateWindow();
    const auto answer = [&](const QString& typed) {
        in<QLineEdit>(ui, "fecha")->clear();
        QTest::keyClicks(in<QLineEdit>(ui, "fecha"), typed);
        QTest::mouseClick(in<QPushButton>(ui, "OKButton"), Qt::LeftButton);
    };
    answer(QStringLiteral("2026-12-08"));
    EXPECT_EQ(dialogs.shownMessages().value(0),
              QStringLiteral("The send date \"2026-12-08\" does not read as a date in the format "
                             "dd-mm-yy, for example 08-12-26."));
    EXPECT_TRUE(ui->isVisible());
    for (const QString& wrong : {QStringLiteral("31-02-26"), QStringLiteral("08-13-26"),
                                 QStringLiteral("4.12.2026"), QStringLiteral("   ")}) {
        answer(wrong);
        EXPECT_TRUE(
            dialogs.shownMessages().last().contains(QLatin1Char('"') + wrong + QLatin1Char('"')))
            << wrong.toStdString();
        EXPECT_TRUE(ui->isVisible()) << wrong.toStdString();
    }
    EXPECT_EQ(dialogs.shownMessages().size(), 5);
    EXPECT_TRUE(finished->isEmpty());
    EXPECT_FALSE(flow->waitingWindow().isVisible()); // nothing was converted yet

    answer(QStringLiteral("8-12-26"));
    EXPECT_EQ(waitForEnd(), kRunnerNoErrors)
        << dialogs.shownMessages().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(flow->setup().SendDate, "8-12-26");
    EXPECT_EQ(sandbox.importedRecords(), 2);
}

TEST_F(RunnerFlowTest, TheRefusalIsInTheUsersLanguage) {
    registry.writeValue(RootKey::CurrentUser, "software\\Tremholt\\Kolvane\\Settings", "Language",
                        "FR");
    const std::string source = sandbox.writeSource("milk.txt", kGoodSource);
    makeFlow().start(
        QString::fromStdString("-d -c " + sandbox.writeMilkSetup("dated.dst", source, true)));
    ASSERT_TRUE(
        waitFor([&] { return flow->sendDateWindow() && flow->sendDateWindow()->isVisible(); }));
    QTest::keyClicks(in<QLineEdit>(flow->sendDateWindow(), "fecha"), QStringLiteral("12/2026"));
    QTest::mouseClick(in<QPushButton>(flow->sendDateWindow(), "OKButton"), Qt::LeftButton);
    EXPECT_EQ(dialogs.shownMessages().value(0),
              QStringLiteral("La date d'envoi \"12/2026\" ne se lit pas comme une date au format "
                             "dd-mm-yy, par exemple 08-12-26."));
    EXPECT_TRUE(flow->sendDateWindow()->isVisible());
}

// A date the runner cannot translate goes in empty, as the runner goes on: the
// outcome must not say that all went well, and -c must not hide it.
TEST_F(RunnerFlowTest, ADateThatCannotBeTranslatedIsNeverASuccess) {
    const std::string source = sandbox.writeSource(
        "short.txt", "Animal;Date;Milk;Cells\r\n276000912345678;1-2-3;31,4;120\r\n"
                     "276000912345679;03-12-26;28,9;85\r\n");
    makeFlow().start(QString::fromStdString("-d -c " + sandbox.writeMilkSetup("s.dst", source)));
    QWidget& waiting = flow->waitingWindow();
    ASSERT_TRUE(waitFor([&] { return in<QPushButton>(waiting, "btnOK")->isVisible(); }));
    // The runner has no setup window: the message points to the saved setup.
    const QString notTranslated = FromAnsi(Language("EN").LoadText(msg::DateNotTranslatedRunner));
    EXPECT_EQ(dialogs.shownMessages().value(0), notTranslated);
    EXPECT_EQ(in<QLabel>(waiting, "Label1")->text(), herdText(herdtext::ErrorsFound));
    QTest::mouseClick(in<QPushButton>(waiting, "btnDetalles"), Qt::LeftButton);
    EXPECT_TRUE(
        in<QPlainTextEdit>(waiting, "txtDetalles")->toPlainText().startsWith(notTranslated));
    QTest::mouseClick(in<QPushButton>(waiting, "btnOK"), Qt::LeftButton);
    EXPECT_EQ(waitForEnd(), kRunnerReported);
}

} // namespace
} // namespace kolvane::runner
