// SPDX-License-Identifier: MIT
// Brennick, the automatic import runner: "Brennick [-d] [-c] DST-path".
#include "gui/QtText.h"
#include "runner/RunnerFlow.h"
#include "runner/RunnerStartup.h"
#include "storage/ProgramFolder.h"

#include <QApplication>
#include <cstdio>
#include <new>

namespace {
int run(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brennick"));
    QApplication::setApplicationVersion(QStringLiteral(KOLVANE_VERSION));
    const auto registry = kolvane::OpenUserRegistry();
    kolvane::Dialogs dialogs(QStringLiteral("Brennick"));
    const kolvane::SystemClock clock;
    kolvane::runner::RunnerFlow flow(
        {*registry, dialogs, clock, kolvane::FromPath(kolvane::WritableProgramFolder())});
    QObject::connect(&flow, &kolvane::runner::RunnerFlow::finished, &application,
                     &QApplication::exit, Qt::QueuedConnection);
    // The arguments as one command text: the runner splits it itself.
    flow.start(QApplication::arguments().mid(1).join(QLatin1Char(' ')));
    return QApplication::exec();
}
} // namespace

int main(int argc, char** argv) {
    // Answered before any window: these work without a desktop.
    if (const auto early = kolvane::runner::EarlyAnswer(argc, argv, KOLVANE_VERSION)) {
        std::fputs(early->text.c_str(), early->exitCode == 0 ? stdout : stderr);
        return early->exitCode;
    }
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("Brennick: there is not enough memory to go on; the program ends.\n", stderr);
        return 1;
    }
}
