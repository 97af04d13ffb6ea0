// SPDX-License-Identifier: MIT
// The import session: its use cases tell the windows what changed, and a job
// that is cancelled or fails leaves the import setup as it was.
#include "gui/ImportSession.h"

#include "gui/FormLocaliser.h"
#include "gui/Trabajando.h"
#include "tests/support/TempFolder.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace kolvane {
namespace {

class ImportSessionTest : public ::testing::Test {
protected:
    ImportSessionTest() {
        dialogs.setUnattended(true);
        session.changeSettings([](ImportSetup& setup) { setup.Separator = ";"; });
    }

    // The last availability told for each step.
    std::map<int, bool> steps() const {
        std::map<int, bool> last;
        for (const auto& arguments : stepSpy) {
            last[arguments[0].toInt()] = arguments[1].toBool();
        }
        return last;
    }
    // Splits the source as the setup window's OK does and waits for the result.
    std::optional<SourceReadResult> split() {
        bool done = false;
        std::optional<SourceReadResult> read;
        EXPECT_TRUE(session.splitSource([&](std::optional<SourceReadResult> result) {
            read = std::move(result);
            done = true;
        }));
        EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 30000));
        return read;
    }

    Language language{"EN"};
    Dialogs dialogs{QStringLiteral("Kolvane")};
    FormLocaliser localiser{[](int) { return std::nullopt; }};
    Trabajando working{localiser};
    GuiPort port{language, dialogs, working};
    FixedClock clock{std::chrono::year{2026} / 12 / 8};
    ImportSession session{language, port, clock};
    QSignalSpy stepSpy{&session, &ImportSession::stepAvailable};
    QSignalSpy sourceSpy{&session, &ImportSession::sourceTableChanged};
    QSignalSpy textSpy{&session, &ImportSession::adisTextChanged};
    testing::TempFolder folder;
};

TEST_F(ImportSessionTest, SplittingFillsTheSourceTableAndOpensTheNextSteps) {
    session.setSourceFile(folder.write("milk.txt", "A;1\r\nB;2\r\n"));
    EXPECT_TRUE(steps()[step::Setup]);
    EXPECT_FALSE(steps()[step::CodesAndColumns]);
    bool done = false;
    std::optional<SourceReadResult> read;
    QSignalSpy busy(&session, &ImportSession::busyChanged);
    ASSERT_TRUE(session.splitSource([&](std::optional<SourceReadResult> result) {
        read = std::move(result);
        done = true;
    }));
    EXPECT_TRUE(session.busy());
    EXPECT_FALSE(session.changeSettings([](ImportSetup& setup) { setup.Separator = ","; }));
    EXPECT_TRUE(session.setup().SourceTable.empty()) << "the job works on a copy";
    ASSERT_TRUE(QTest::qWaitFor([&] { return done; }, 30000));
    ASSERT_TRUE(read && read->completed());
    EXPECT_EQ(session.setup().SourceTable.rowCount(), 2u);
    EXPECT_EQ(session.setup().SourceTable.cell(1, 0), "B");
    EXPECT_EQ(sourceSpy.count(), 1);
    EXPECT_TRUE(steps()[step::CodesAndColumns]);
    EXPECT_FALSE(steps()[step::FixedColumns]);
    EXPECT_FALSE(steps()[step::AdisFile]);
    EXPECT_EQ(busy.count(), 2);
}

TEST_F(ImportSessionTest, AFailedSplitLeavesTheSetupAsItWas) {
    session.setSourceFile(folder.write("milk.txt", "A;1\r\n"));
    ASSERT_TRUE(split());
    const SourceTable before = session.setup().SourceTable;

    session.setSourceFile(folder.path("gone.txt"));
    const auto read = split();
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->status.code(), ErrorCode::FileNotFound);
    EXPECT_EQ(session.setup().SourceTable, before);
    EXPECT_EQ(sourceSpy.count(), 1) << "only the split that succeeded changed the table";
}

TEST_F(ImportSessionTest, ACancelledJobLeavesTheSetupAsItWas) {
    session.setSendDate("01-12-26");
    std::atomic<bool> started{false};
    bool done = false;
    bool delivered = true;
    session.runJob(
        {.sourceTable = true},
        [&](ImportSetup& setup, const EngineContext& context) {
            setup.SendDate = "changed";
            started = true;
            while (!context.stopRequested()) {
                std::this_thread::yield();
            }
            return true;
        },
        [](bool) { return true; },
        [&](std::optional<bool> result) {
            delivered = result.has_value();
            done = true;
        });
    ASSERT_TRUE(QTest::qWaitFor([&] { return started.load(); }, 30000));
    session.jobs().cancel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return done; }, 30000));
    EXPECT_FALSE(delivered);
    EXPECT_EQ(session.setup().SendDate, "01-12-26");
    EXPECT_EQ(sourceSpy.count(), 0);
}

TEST_F(ImportSessionTest, TheAdisTextOpensTheLastStepsAndResetClosesThemAll) {
    session.setSourceFile(folder.write("milk.txt", "DE1;31\r\n"));
    ASSERT_TRUE(split());
    ColumnDefinition animal;
    animal.Mnemonic = "ANIMALID";
    animal.ItemNumber = "900080";
    animal.Width = "15";
    ColumnDefinition milk;
    milk.Mnemonic = "MILKKG";
    milk.ItemNumber = "900047";
    milk.Width = "3";
    QSignalSpy columns(&session, &ImportSession::columnTableChanged);
    session.setColumnTable({animal, milk});
    EXPECT_EQ(columns.count(), 1);
    bool done = false;
    std::optional<Status> built;
    ASSERT_TRUE(session.buildAdisText([&](std::optional<Status> result) {
        built = std::move(result);
        done = true;
    }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return done; }, 30000));
    ASSERT_TRUE(built && built->ok()) << built->describe();
    EXPECT_NE(session.setup().AdisText.find("\r\nZN"), std::string::npos);
    EXPECT_EQ(session.setup().SourceTable.rowCount(), 1u) << "lent to the job and given back";
    EXPECT_EQ(textSpy.count(), 1);
    for (int later = step::AdisFile; later <= step::OpenDataExchange; ++later) {
        EXPECT_TRUE(steps()[later]) << later;
    }
    session.reset();
    EXPECT_TRUE(session.setup().SourceTable.empty());
    EXPECT_TRUE(session.setup().AdisText.empty());
    for (int later = step::Setup; later <= step::OpenDataExchange; ++later) {
        EXPECT_FALSE(steps()[later]) << later;
    }
}

// A job that reads the source table borrows it; when the job fails the table
// comes back unchanged, and the earlier ADIS text stays.
TEST_F(ImportSessionTest, AFailedJobGivesTheSourceTableBack) {
    session.setSourceFile(folder.write("milk.txt", "DE1;31\r\nDE2;32\r\n"));
    ASSERT_TRUE(split());
    const SourceTable before = session.setup().SourceTable;
    bool done = false;
    session.runJob(
        {.adisText = true, .readsSourceTable = true},
        [](ImportSetup& setup, const EngineContext&) {
            setup.AdisText = "half";
            return setup.SourceTable.rowCount();
        },
        [](std::size_t) { return false; }, [&](std::optional<std::size_t>) { done = true; });
    EXPECT_TRUE(session.setup().SourceTable.empty()) << "lent while the job runs";
    ASSERT_TRUE(QTest::qWaitFor([&] { return done; }, 30000));
    EXPECT_EQ(session.setup().SourceTable, before);
    EXPECT_TRUE(session.setup().AdisText.empty());
}

} // namespace
} // namespace kolvane
