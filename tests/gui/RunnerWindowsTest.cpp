// SPDX-License-Identifier: MIT
// The runner's windows as a farmer meets them: the choice of an import, the
// send date, the waiting window while converting and while the importer runs,
// the report's details, a setup dropped onto the main window, and their texts
// in the user's language.
#include "runner/Fecha_Ask.h"
#include "runner/frmWitingToEnd.h"
#include "tests/gui/RunnerFlowFixture.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QDesktopServices>
#include <QDropEvent>
#include <QMimeData>
#include <QProgressBar>
#include <QUrl>

namespace kolvane::runner {
namespace {

using namespace flowtest;

// Takes the URLs the desktop would open, so a test sees them instead.
class UrlCatcher final : public QObject {
    Q_OBJECT
public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened << url; }
};

std::string manyRows(int rows) {
    std::string text = "Animal;Date;Milk;Cells\r\n";
    for (int i = 0; i < rows; ++i) {
        text += "2760009" + std::to_string(10000000 + i) + ";03-12-26;31,4;120\r\n";
    }
    return text;
}

void useLanguage(FileRegistry& registry, const std::string& code) {
    registry.writeValue(RootKey::CurrentUser, "software\\Tremholt\\Kolvane\\Settings", "Language",
                        code);
}

TEST_F(RunnerFlowTest, TheSelectionShowsNamesAndOffersTheImportRunLast) {
    const std::string source = sandbox.writeSource("milk.txt", kGoodSource);
    const std::string morning = sandbox.writeMilkSetup("morning.dst", "@");
    const std::string evening = sandbox.writeMilkSetup("evening.dst", source);
    registerImports("," + morning + "," + evening);
    Settings(registry).setLastAutomaticImport(evening);
    makeFlow().start({});
    QTest::mouseClick(in<QPushButton>(flow->mainWindow(), "InitBotton"), Qt::LeftButton);
    QComboBox* list = in<QComboBox>(flow->selectionWindow(), "cmbAutomatizaciones");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(0), QStringLiteral("morning"));
    EXPECT_EQ(list->itemText(1), QStringLiteral("evening"));
    EXPECT_EQ(list->itemData(1, Qt::ToolTipRole).toString(), QString::fromStdString(evening));
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_EQ(in<QLabel>(flow->selectionWindow(), "lbExplicacion")->text(),
              QStringLiteral("Milk recording of the morning")); // the preselected one's
    QTest::mouseClick(in<QPushButton>(flow->selectionWindow(), "OkButton"), Qt::LeftButton);
    ASSERT_TRUE(
        waitFor([&] { return in<QPushButton>(flow->waitingWindow(), "btnOK")->isVisible(); }));
    EXPECT_EQ(sandbox.importedRecords(), 2);
    EXPECT_EQ(flow->setup().DstFilePath, evening); // the name stood for the registered path

    // With no import run yet, or one no longer registered, the first is offered.
    Settings(registry).setLastAutomaticImport(sandbox.folder().path("gone.dst"));
    makeFlow().start({});
    QTest::mouseClick(in<QPushButton>(flow->mainWindow(), "InitBotton"), Qt::LeftButton);
    EXPECT_EQ(in<QComboBox>(flow->selectionWindow(), "cmbAutomatizaciones")->currentIndex(), 0);
}

TEST_F(RunnerFlowTest, TheRunnersOwnTextsAreInTheUsersLanguage) {
    useLanguage(registry, "DE");
    makeFlow().start({});
    QTest::mouseClick(in<QPushButton>(flow->mainWindow(), "InitBotton"), Qt::LeftButton);
    QPushButton* search = in<QPushButton>(flow->selectionWindow(), "btnSearchFile");
    EXPECT_EQ(search->text(), QStringLiteral("Datei suchen..."));
    // The search, then a setup that asks for its source file (the dialog is cancelled).
    dialogs.setNextFileName({});
    QTest::mouseClick(search, Qt::LeftButton);
    dialogs.setNextFileName(QString::fromStdString(sandbox.writeMilkSetup("ask.dst", "@")));
    QTest::mouseClick(search, Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return dialogs.fileRequests().size() == 3; }));
    EXPECT_EQ(dialogs.fileRequests()[0].title, QStringLiteral("Importeinstellung öffnen"));
    EXPECT_EQ(dialogs.fileRequests()[0].filter, QStringLiteral("Importeinstellungen (*.dst)"));
    EXPECT_EQ(dialogs.fileRequests()[2].title, QStringLiteral("Quelldatei öffnen"));
    EXPECT_EQ(dialogs.fileRequests()[2].filter, QStringLiteral("Alle Dateien (*.*)"));
    EXPECT_EQ(sandbox.importedRecords(), 0);

    // The send date's format as the setup window shows it in German.
    const std::string source = sandbox.writeSource("milk.txt", kGoodSource);
    makeFlow().start(
        QString::fromStdString("-d " + sandbox.writeMilkSetup("dated.dst", source, true)));
    ASSERT_NE(flow->sendDateWindow(), nullptr);
    EXPECT_EQ(in<QLabel>(flow->sendDateWindow(), "lblFormat")->text(),
              QStringLiteral("(tt-mm-jj)"));
    EXPECT_EQ(in<QPushButton>(flow->sendDateWindow(), "btnCancel")->text(),
              QStringLiteral("Abbrechen"));
}

TEST_F(RunnerFlowTest, TheCalendarWritesTheDayAndCancelImportsNothing) {
    const std::string source = sandbox.writeSource("milk.txt", kGoodSource);
    makeFlow().start(
        QString::fromStdString("-d -c " + sandbox.writeMilkSetup("dated.dst", source, true)));
    auto* question = dynamic_cast<Fecha_Ask*>(flow->sendDateWindow());
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->calendar().selectedDate(), QDate(2026, 12, 8)); // today
    emit question->calendar().clicked(QDate(2026, 11, 30));
    EXPECT_EQ(question->date(), QStringLiteral("30-11-26"));
    QTest::mouseClick(in<QPushButton>(question, "btnCancel"), Qt::LeftButton);
    EXPECT_EQ(waitForEnd(), kRunnerNoErrors); // the user's choice, nothing went wrong
    EXPECT_FALSE(fs::exists(sandbox.programFolder() + "/adis.ads"));
    EXPECT_EQ(sandbox.importedRecords(), 0);
}

TEST_F(RunnerFlowTest, CancelWhileConvertingHandsNothingToTheImporter) {
    const std::string source = sandbox.writeSource("big.txt", manyRows(300000));
    makeFlow().start(QString::fromStdString("-d -c " + sandbox.writeMilkSetup("big.dst", source)));
    QWidget& waiting = flow->waitingWindow();
    ASSERT_TRUE(waiting.isVisible());
    QPushButton* cancel = in<QPushButton>(waiting, "btnCancel");
    ASSERT_TRUE(cancel->isVisible());
    EXPECT_TRUE(in<QProgressBar>(waiting, "prgConversion")->isVisible());
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_EQ(waitForEnd(), kRunnerNotConverted);
    EXPECT_FALSE(fs::exists(sandbox.programFolder() + "/adis.ads"));
    EXPECT_EQ(sandbox.importedRecords(), 0);
    EXPECT_TRUE(dialogs.shownMessages().isEmpty());
}

TEST_F(RunnerFlowTest, WhileTheImporterRunsThePictureMovesAndTheSecondsCount) {
    makeFlow();
    auto& waiting = dynamic_cast<frmWitingToEnd&>(flow->waitingWindow());
    waiting.show();
    EXPECT_FALSE(in<QLabel>(waiting, "Picture2")->pixmap().isNull()); // the picture is there
    waiting.startImporterWait(
        [](int seconds) { return QString::number(seconds) + QStringLiteral(" s"); });
    EXPECT_FALSE(in<QPushButton>(waiting, "btnCancel")->isVisible()); // the importer runs on
    QLabel* elapsed = in<QLabel>(waiting, "lblElapsed");
    EXPECT_TRUE(elapsed->isVisible());
    EXPECT_EQ(elapsed->text(), QStringLiteral("0 s"));
    const int first = waiting.pictureIndex();
    EXPECT_TRUE(waitFor([&] { return waiting.pictureIndex() != first; }));
    EXPECT_TRUE(waitFor([&] { return elapsed->text() == QStringLiteral("1 s"); }));
    // The real line, in the user's language.
    EXPECT_EQ(FromAnsi(Language("EN").FillText(msg::ImporterElapsed, {"12"})),
              QStringLiteral("The importer has been working for 12 s"));
}

TEST_F(RunnerFlowTest, TheDetailsCanBeSavedCopiedAndTheImportersFileOpened) {
    const std::string source = sandbox.writeSource(
        "bad.txt", "Animal;Date;Milk;Cells\r\n276000912345678;03-12-26;31,4;12x\r\n");
    makeFlow().start(QString::fromStdString("-d -c " + sandbox.writeMilkSetup("bad.dst", source)));
    QWidget& waiting = flow->waitingWindow();
    ASSERT_TRUE(waitFor([&] { return in<QPushButton>(waiting, "btnOK")->isVisible(); }));
    EXPECT_FALSE(in<QPushButton>(waiting, "btnSaveDetails")->isVisible());
    QTest::mouseClick(in<QPushButton>(waiting, "btnDetalles"), Qt::LeftButton);
    const QString shown = in<QPlainTextEdit>(waiting, "txtDetalles")->toPlainText();
    ASSERT_TRUE(shown.contains(QStringLiteral("00900047")));

    const std::string saved = sandbox.folder().path("details.txt");
    dialogs.setNextFileName(QString::fromStdString(saved));
    QTest::mouseClick(in<QPushButton>(waiting, "btnSaveDetails"), Qt::LeftButton);
    EXPECT_EQ(QString::fromUtf8(sandbox.folder().read("details.txt")), shown);
    EXPECT_EQ(dialogs.fileRequests().last().kind, Dialogs::FileDialogKind::Save);

    QTest::mouseClick(in<QPushButton>(waiting, "btnCopyDetails"), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text().remove(QLatin1Char('\r')), shown);

    UrlCatcher desktop;
    QPushButton* report = in<QPushButton>(waiting, "btnOpenReport");
    ASSERT_TRUE(report->isVisible());
    QTest::mouseClick(report, Qt::LeftButton);
    ASSERT_EQ(desktop.opened.size(), 1);
    EXPECT_EQ(desktop.opened.first().toLocalFile(),
              QString::fromStdString(sandbox.installFolder() + "/HXDataExchange.ads"));
    EXPECT_TRUE(dialogs.shownMessages().filter(QStringLiteral("could not")).isEmpty());
}

TEST_F(RunnerFlowTest, ASetupDroppedOntoTheMainWindowRuns) {
    const std::string source = sandbox.writeSource("milk.txt", kGoodSource);
    const std::string setup = sandbox.writeMilkSetup("dropped.dst", source);
    makeFlow().start({});
    const auto drop = [&](const std::string& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
        // As the desktop sends them: the drag enters, then the drop.
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&flow->mainWindow(), &enter);
        QDropEvent event(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&flow->mainWindow(), &event);
    };
    drop(sandbox.writeSource("milk.csv", kGoodSource)); // not a setup file: told, nothing runs
    EXPECT_TRUE(dialogs.shownMessages().value(0).startsWith(herdText(herdtext::NotADstFile)));
    EXPECT_TRUE(flow->mainWindow().isVisible());
    drop(setup);
    ASSERT_TRUE(
        waitFor([&] { return in<QPushButton>(flow->waitingWindow(), "btnOK")->isVisible(); }));
    EXPECT_EQ(sandbox.importedRecords(), 2);
    EXPECT_EQ(flow->setup().DstFilePath, setup);
}

} // namespace
} // namespace kolvane::runner

#include "RunnerWindowsTest.moc"
