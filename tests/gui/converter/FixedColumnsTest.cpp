// SPDX-License-Identifier: MIT
// The fixed columns window: the lines it shows, the column starts that clicks
// and keys mark in the setup, the colours of marks and painted columns, and its
// note window.
#include "converter/frmExplicacion.h"
#include "converter/frmfixedColumnas.h"
#include "engine/FixedColumnsTOColumns.h"
#include "gui/QtText.h"
#include "tests/gui/converter/ConverterFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTimer>
#include <atomic>
#include <thread>

namespace kolvane::converter {
namespace {

using testing::in;

constexpr const char* kThirty = "ABCDEFGHIJ0123456789abcdefghij";

class FixedColumns : public testing::ConverterFixture {
protected:
    // `text` as a newly opened fixed-width source (its starts are {0}).
    void openSource(const std::string& text,
                    const std::function<void(ImportSetup&)>& adjust = nullptr) {
        context().session.setSourceFile(folder.write("source.txt", text));
        context().session.changeSettings([&](ImportSetup& setup) {
            setup.Separator = std::string(kFixedColumns);
            setup.FixedColumnStarts = {0};
            if (adjust) {
                adjust(setup);
            }
        });
    }
    frmfixedColumnas& openWindow() {
        window_ = std::make_unique<frmfixedColumnas>(context());
        QSignalSpy filled(window_.get(), &frmfixedColumnas::filled);
        window_->show();
        EXPECT_TRUE(waitFor([&] { return filled.count() > 0; }));
        return *window_;
    }
    QTableView& grid() { return *in<QTableView>(window_.get(), "MSFlexGrid1"); }
    QModelIndex cell(int row, int column) { return grid().model()->index(row, column); }
    void clickCharacter(int column, int row = 0) {
        grid().scrollTo(cell(row, column));
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, {},
                          grid().visualRect(cell(row, column)).center());
    }
    void press(const char* button) {
        QTest::mouseClick(in<QPushButton>(window_.get(), button), Qt::LeftButton);
    }
    QString shownLine(int row) {
        QString line;
        for (int column = 0; column < grid().model()->columnCount(); ++column) {
            line += cell(row, column).data().toString();
        }
        return line;
    }
    const FixedColumnStarts& starts() { return setup().FixedColumnStarts; }
    std::vector<std::string> cutFirstLine() {
        std::vector<std::string_view> cells(static_cast<std::size_t>(FixedColumnCount(setup())));
        CutFixedLine(setup(), kThirty, cells);
        return {cells.begin(), cells.end()};
    }

    std::unique_ptr<frmfixedColumnas> window_;
};

TEST_F(FixedColumns, ResetTakesTheWidthOfTheFirstLineAndAClickCutsIt) {
    openSource(std::string(kThirty) + "\r\n" + kThirty + "\r\n");
    openWindow();
    press("btnReset");
    EXPECT_EQ(starts(), FixedColumnStarts{30});
    EXPECT_EQ(cutFirstLine(), std::vector<std::string>{kThirty});

    clickCharacter(10);
    EXPECT_EQ(starts(), (FixedColumnStarts{10, 30}));
    EXPECT_EQ(cutFirstLine(), (std::vector<std::string>{"ABCDEFGHIJ", "0123456789abcdefghij"}));

    clickCharacter(10, 1); // any row: the start belongs to the column
    EXPECT_EQ(starts(), FixedColumnStarts{30});

    // The cut itself is the workflow's.
    QSignalSpy proceed(window_.get(), &frmfixedColumnas::proceedRequested);
    press("btnCalcular");
    EXPECT_EQ(proceed.count(), 1);
    EXPECT_EQ(window_->windowTitle().toStdString(), "Fixed columns definition");
}

TEST_F(FixedColumns, ClicksOnANewFileAddAndRemoveStartsInOrder) {
    openSource(std::string(kThirty) + "\n");
    openWindow();
    clickCharacter(20);
    clickCharacter(10);
    EXPECT_EQ(starts(), (FixedColumnStarts{0, 10, 20}));
    EXPECT_EQ(cutFirstLine(), (std::vector<std::string>{"", "ABCDEFGHIJ", "0123456789"}));

    clickCharacter(0); // the first character always starts a column
    EXPECT_EQ(starts(), (FixedColumnStarts{0, 10, 20}));
    clickCharacter(15);
    EXPECT_EQ(starts(), (FixedColumnStarts{0, 10, 15, 20}));
    clickCharacter(10);
    clickCharacter(15);
    EXPECT_EQ(starts(), (FixedColumnStarts{0, 20}));
}

TEST_F(FixedColumns, ShowsAtMost71LinesOneCharacterPerCellAsWideAsTheFirst) {
    std::string text = "short\n";
    for (int line = 2; line <= 200; ++line) {
        text += "line " + std::to_string(line) + " is longer than the first\n";
    }
    openSource(text);
    openWindow();
    EXPECT_EQ(grid().model()->rowCount(), 71);
    EXPECT_EQ(grid().model()->columnCount(), 5);
    EXPECT_EQ(shownLine(0).toStdString(), "short");
    EXPECT_EQ(shownLine(70).toStdString(), "line "); // cut at the first line's width
    EXPECT_EQ(cell(70, 0).data().toString().toStdString(), "l");
    const QWidgetList windows = QApplication::topLevelWidgets();
    const auto working = std::find_if(windows.begin(), windows.end(), [](QWidget* window) {
        return window->objectName() == QLatin1String("Trabajando");
    });
    ASSERT_NE(working, windows.end());
    EXPECT_EQ(in<QLabel>(*working, "BarraExplicacion")->text().toStdString(), "Building window...");
    EXPECT_FALSE((*working)->isVisible());
}

TEST_F(FixedColumns, WaitsForAJobThatHoldsTheSessionBeforeFilling) {
    openSource(std::string(kThirty) + "\n");
    std::atomic<bool> release{false};
    ASSERT_TRUE(context().session.jobs().start(
        [&release](JobControl&) {
            while (!release.load()) {
                std::this_thread::yield();
            }
            return 0;
        },
        [](std::optional<int>) {}));
    window_ = std::make_unique<frmfixedColumnas>(context());
    QSignalSpy filled(window_.get(), &frmfixedColumnas::filled);
    QCoreApplication::processEvents();
    EXPECT_EQ(filled.count(), 0);
    EXPECT_FALSE(in<QPushButton>(window_.get(), "btnReset")->isEnabled());
    release = true;
    ASSERT_TRUE(waitFor([&] { return filled.count() > 0; }));
    EXPECT_EQ(grid().model()->columnCount(), 30);
    EXPECT_TRUE(in<QPushButton>(window_.get(), "btnReset")->isEnabled());
}

TEST_F(FixedColumns, ShowsTheLinesTheCutReads) {
    // Two lines skipped at the top, one at the bottom, "#" lines filtered out.
    // The filtered lines do not count against the seven lines left, so the
    // bottom line is reached, as the cut reaches it.
    openSource("HEAD 1\nHEAD 2\n# note\nAAA1\n\nBB22\n# note\nCC\nEND1\nTAIL\n",
               [](ImportSetup& setup) {
                   setup.TopLinesToSkip = 2;
                   setup.BottomLinesToSkip = 1;
                   setup.LineFilterMode = 1;
                   setup.LineFilterText = "#";
               });
    openWindow();
    QStringList shown;
    for (int row = 0; row < grid().model()->rowCount(); ++row) {
        shown << shownLine(row);
    }
    EXPECT_EQ(shown.join(QLatin1Char('|')).toStdString(), "AAA1||BB22|CC|END1|TAIL");

    press("btnReset");
    ImportSetup cut = setup();
    ASSERT_TRUE(
        CutFixedColumns(cut, context().session.context(), SourceData::file(cut.SourceFilePath))
            .completed());
    QStringList rows;
    for (std::size_t row = 0; row < cut.SourceTable.rowCount(); ++row) {
        rows << FromAnsi(cut.SourceTable.cell(row, 0));
    }
    shown.removeAll(QString()); // empty lines give no rows
    EXPECT_EQ(rows, shown);
}

TEST_F(FixedColumns, AnEmptyFirstLineDoesNotLeaveTheGridWithoutColumns) {
    openSource("\nABCDEF\nAB\n");
    openWindow();
    EXPECT_EQ(grid().model()->columnCount(), 6);
    press("btnReset");
    EXPECT_EQ(starts(), FixedColumnStarts{6});
}

TEST_F(FixedColumns, AVeryLongFirstLineIsShownUpToTheWidthLimit) {
    openSource(std::string(100000, 'x') + "\n");
    openWindow();
    EXPECT_EQ(grid().model()->columnCount(), 4096);
    clickCharacter(4000);
    EXPECT_EQ(starts(), (FixedColumnStarts{0, 4000}));
}

TEST_F(FixedColumns, AFileThatCannotBeReadIsReportedAndLeavesTheWindowInert) {
    openSource("A\n", [](ImportSetup& setup) { setup.TopLinesToSkip = 5; });
    openWindow();
    EXPECT_EQ(grid().model()->rowCount(), 0);
    ASSERT_EQ(dialogs().shownMessages().size(), 1);
    EXPECT_TRUE(dialogs().shownMessages().front().contains(QStringLiteral("source.txt")))
        << dialogs().shownMessages().front().toStdString();
    EXPECT_FALSE(in<QPushButton>(window_.get(), "btnCalcular")->isEnabled());
}

TEST_F(FixedColumns, AWindowClosedWhileItIsFilledLeavesTheSessionFree) {
    openSource(std::string(kThirty) + "\n");
    window_ = std::make_unique<frmfixedColumnas>(context());
    window_.reset();
    EXPECT_TRUE(waitFor([&] { return !context().session.busy(); }));
    EXPECT_EQ(starts(), FixedColumnStarts{0});
}

TEST_F(FixedColumns, SpaceMarksTheStartAtTheCurrentColumnAndArrowsMove) {
    openSource(std::string(kThirty) + "\n" + kThirty + "\n");
    openWindow();
    grid().setFocus();
    for (int step = 0; step < 10; ++step) {
        QTest::keyClick(&grid(), Qt::Key_Right);
    }
    QTest::keyClick(&grid(), Qt::Key_Space);
    EXPECT_EQ(starts(), (FixedColumnStarts{0, 10}));
    QTest::keyClick(&grid(), Qt::Key_Down);
    QTest::keyClick(&grid(), Qt::Key_Right);
    QTest::keyClick(&grid(), Qt::Key_Space);
    EXPECT_EQ(starts(), (FixedColumnStarts{0, 10, 11}));
    QTest::keyClick(&grid(), Qt::Key_Left);
    QTest::keyClick(&grid(), Qt::Key_Space);
    EXPECT_EQ(starts(), (FixedColumnStarts{0, 11}));
    QTest::keyClick(&grid(), Qt::Key_Home);
    QTest::keyClick(&grid(), Qt::Key_Space);
    EXPECT_EQ(starts(), (FixedColumnStarts{0, 11}));
}

TEST_F(FixedColumns, MarkedStartsArePaintedOrangeOnLightOrangeInBold) {
    openSource(std::string(kThirty) + "\n", [](ImportSetup& setup) {
        setup.FixedColumnStarts = {5, 12, 30}; // loaded marks are shown at once
    });
    openWindow();
    for (const int column : {0, 5, 12}) {
        EXPECT_EQ(cell(0, column).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 224, 192))
            << column;
        EXPECT_EQ(cell(0, column).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 128, 0));
        EXPECT_TRUE(cell(0, column).data(Qt::FontRole).value<QFont>().bold());
    }
    EXPECT_FALSE(cell(0, 6).data(Qt::BackgroundRole).isValid()); // the window's own colours
    EXPECT_FALSE(cell(0, 6).data(Qt::ForegroundRole).isValid());

    clickCharacter(12);
    EXPECT_FALSE(cell(0, 12).data(Qt::BackgroundRole).isValid());
    EXPECT_FALSE(cell(0, 12).data(Qt::FontRole).isValid());
}

TEST_F(FixedColumns, PaintShowsTheColumnsInAlternatingBandsUntilTheNextClick) {
    openSource(std::string(kThirty) + "\n");
    openWindow();
    clickCharacter(10);
    clickCharacter(20);
    press("btnPintar");
    const auto background = [&](int column) {
        return cell(0, column).data(Qt::BackgroundRole).value<QColor>();
    };
    // {0, 10, 20}: the first column is empty; characters after 20 are dropped.
    EXPECT_EQ(background(0), QColor(192, 255, 192));
    EXPECT_EQ(background(9), QColor(192, 255, 192));
    EXPECT_EQ(background(10), QColor(255, 224, 192));
    EXPECT_EQ(background(19), QColor(255, 224, 192));
    EXPECT_FALSE(cell(0, 20).data(Qt::BackgroundRole).isValid());
    EXPECT_FALSE(cell(0, 10).data(Qt::ForegroundRole).isValid()); // window text, bold
    EXPECT_TRUE(cell(0, 10).data(Qt::FontRole).value<QFont>().bold());

    clickCharacter(25);
    EXPECT_EQ(starts(), (FixedColumnStarts{0, 10, 20, 25}));
    EXPECT_FALSE(cell(0, 5).data(Qt::BackgroundRole).isValid()); // marks again
    EXPECT_EQ(cell(0, 25).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 128, 0));
}

// Answers the note window whenever it shows modally, while the watcher lives;
// counts how often it showed.
class NoteWatcher {
public:
    explicit NoteWatcher(std::function<void(frmExplicacion&)> act) : act_(std::move(act)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* note = qobject_cast<frmExplicacion*>(QApplication::activeModalWidget())) {
                ++shown;
                act_(*note);
                if (note->isVisible()) {
                    note->reject(); // whatever `act` did, the test goes on
                }
            }
        });
        timer_.start(0);
    }
    int shown = 0;

private:
    std::function<void(frmExplicacion&)> act_;
    QTimer timer_;
};

TEST_F(FixedColumns, TheNoteShowsOnceWhileWantedAndItsBoxDecidesAboutNextTime) {
    openSource(std::string(kThirty) + "\n");
    context().showFixedColumnsNote = false;
    openWindow();
    NoteWatcher watcher([&](frmExplicacion& note) {
        EXPECT_EQ(note.windowTitle().toStdString(), "Note for Fixed Column definition");
        auto* box = in<QCheckBox>(note, "Check1");
        EXPECT_FALSE(box->isChecked());
        QTest::mouseClick(box, Qt::LeftButton);
        EXPECT_FALSE(context().showFixedColumnsNote);
        QTest::mouseClick(box, Qt::LeftButton);
        EXPECT_TRUE(context().showFixedColumnsNote);
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::mouseClick(in<QPushButton>(note, "OKButton"), Qt::LeftButton);
    });
    window_->showNoteIfWanted(); // the user said not to show it
    EXPECT_EQ(watcher.shown, 0);

    context().showFixedColumnsNote = true;
    window_->showNoteIfWanted();
    EXPECT_EQ(watcher.shown, 1);
    EXPECT_FALSE(context().showFixedColumnsNote);

    context().showFixedColumnsNote = true;
    window_->showNoteIfWanted(); // shown for this window already
    EXPECT_EQ(watcher.shown, 1);
}

} // namespace
} // namespace kolvane::converter
