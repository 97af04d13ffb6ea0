// SPDX-License-Identifier: MIT
// The converter's own path on a large export, as a user runs it: Kolvane
// started with a setup on its command line opens the source in the ASCII
// window, splits it into the columns window (on a helper thread), and the
// columns window's Finalizar builds the ADIS text into the result window.
// Reports the seconds to each window, the longest time the window thread did
// not answer (the gap between two ticks of a 5 ms timer) and the peak resident
// memory, next to the source file's size.
//   converter_bench SOURCE.txt SETUP.dst CodigosAds.db   (offscreen by default)
#include "converter/ConverterApp.h"
#include "converter/frmMain.h"
#include "gui/ImportSession.h"
#include "storage/FileRegistry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// The longest interval between two ticks: what the user would feel as a freeze.
class GapMonitor {
public:
    GapMonitor() {
        QObject::connect(&timer_, &QTimer::timeout,
                         [this] { longest_ = std::max(longest_, clock_.restart()); });
        clock_.start();
        timer_.start(5);
    }
    qint64 longestMs() const { return longest_; }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 longest_ = 0;
};

double peakResidentMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The resident memory now, from /proc (Linux).
double residentMb() {
    long pages = 0;
    long resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) /
           (1024.0 * 1024.0);
}

bool waitFor(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, 600000);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: converter_bench SOURCE.txt SETUP.dst CodigosAds.db\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const std::filesystem::path scratch =
        std::filesystem::temp_directory_path() / "kolvane-converter-bench";
    std::filesystem::create_directories(scratch);
    kolvane::FileRegistry registry((scratch / "registry.reg").string());
    const kolvane::SystemClock clock;
    kolvane::converter::ConverterApp app(
        {registry, clock, argv[3], scratch.string(), (scratch / "Brennick").string()});
    app.dialogs().setUnattended(true);
    // The engine's two jobs on the helper thread: splitting the source into the
    // table, and building the ADIS text from it.
    std::vector<double> jobSeconds;
    QElapsedTimer job;
    QObject::connect(&app.session(), &kolvane::ImportSession::busyChanged, [&](bool busy) {
        if (busy) {
            job.start();
        } else {
            jobSeconds.push_back(static_cast<double>(job.nsecsElapsed()) / 1e9);
        }
    });
    using kolvane::step::AdisFile;
    using kolvane::step::CodesAndColumns;
    auto& main = [&]() -> kolvane::converter::frmMain& {
        app.start({QString::fromLocal8Bit(argv[2])});
        return app.mainWindow();
    }();

    const double startedMb = residentMb();
    GapMonitor gaps;
    QElapsedTimer elapsed;
    elapsed.start();
    if (!waitFor([&] { return main.stepWindow(CodesAndColumns) != nullptr; })) {
        std::fprintf(stderr, "the columns window did not open\n");
        return 1;
    }
    const double split = static_cast<double>(elapsed.elapsed()) / 1000.0;
    const double splitMb = residentMb();
    auto* finish =
        main.stepWindow(CodesAndColumns)->findChild<QPushButton*>(QStringLiteral("Finalizar"));
    QTest::mouseClick(finish, Qt::LeftButton);
    if (!waitFor([&] { return main.stepWindow(AdisFile) != nullptr; })) {
        std::fprintf(stderr, "the result window did not open\n");
        return 1;
    }
    QTest::qWait(300); // the result window's first paint and the index of its text
    const double total = static_cast<double>(elapsed.elapsed()) / 1000.0;
    const double sourceMb =
        static_cast<double>(std::filesystem::file_size(argv[1])) / (1024.0 * 1024.0);
    const double adisMb =
        static_cast<double>(app.session().setup().AdisText.size()) / (1024.0 * 1024.0);
    std::printf("source %.1f MB, %zu rows, ADIS text %.1f MB\n", sourceMb,
                app.session().setup().SourceTable.rowCount(), adisMb);
    std::printf("to the columns window %.2f s, to the result window %.2f s\n", split, total);
    const auto& table = app.session().setup().SourceTable;
    const double sourceBytes = static_cast<double>(std::filesystem::file_size(argv[1]));
    std::printf("source table %.1f MB = %.2f x the source\n",
                static_cast<double>(table.memoryBytes()) / 1e6,
                static_cast<double>(table.memoryBytes()) / sourceBytes);
    if (jobSeconds.size() >= 2) {
        const double both = jobSeconds[0] + jobSeconds[1];
        std::printf("split %.3f s, ADIS text %.3f s: %.3f s, %.0f MB/s of source\n", jobSeconds[0],
                    jobSeconds[1], both, sourceBytes / 1e6 / both);
    }
    std::printf("resident memory: %.0f MB started, %.0f MB with the source table, %.0f MB with "
                "the ADIS text\n",
                startedMb, splitMb, residentMb());
    std::printf("longest gap of the window thread %lld ms\n",
                static_cast<long long>(gaps.longestMs()));
    std::printf("peak resident memory %.0f MB (budget: 2.5 x source + 60 MB = %.0f MB)\n",
                peakResidentMb(), 2.5 * sourceMb + 60);
    return 0;
}
