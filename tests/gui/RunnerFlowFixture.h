// SPDX-License-Identifier: MIT
// The runner's flow in this process against herdsim installed in a sandbox,
// with its windows found by their controls' names as a user's tool would.
#pragma once

#include "gui/QtText.h"
#include "runner/RunnerFlow.h"
#include "storage/FileRegistry.h"
#include "storage/Settings.h"
#include "tests/gui/FindControl.h"
#include "tests/support/HerdsimSandbox.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace kolvane::runner::flowtest {

namespace fs = std::filesystem;

using guitest::in;

const std::string kGoodSource = "Animal;Date;Milk;Cells\r\n"
                                "276000912345678;03-12-26;31,4;120\r\n"
                                "276000912345679;03-12-26;28,9;85\r\n";

class RunnerFlowTest : public ::testing::Test {
protected:
    void SetUp() override {
        sandbox.useInThisProcess();
        dialogs.setUnattended(true); // an unexpected dialog must not block a test
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
            QWidget& waiting = flow->waitingWindow();
            if (in<QPushButton>(waiting, "btnDetalles")->isVisible()) {
                QTest::mouseClick(in<QPushButton>(waiting, "btnDetalles"), Qt::LeftButton);
            }
            ADD_FAILURE()
                << "the run did not end; the waiting window says: "
                << in<QLabel>(waiting, "Label1")->text().toStdString() << '\n'
                << in<QPlainTextEdit>(waiting, "txtDetalles")->toPlainText().toStdString();
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

    kolvane::testing::HerdsimSandbox sandbox{HERDSIM_INSTALL};
    FileRegistry registry{sandbox.registryPath()};
    Dialogs dialogs{QStringLiteral("Brennick")};
    FixedClock clock{std::chrono::year{2026} / 12 / 8};
    std::unique_ptr<RunnerFlow> flow;
    std::unique_ptr<QSignalSpy> finished;
};

} // namespace kolvane::runner::flowtest
