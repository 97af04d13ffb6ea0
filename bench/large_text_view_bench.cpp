// SPDX-License-Identifier: MIT
// What the large text view costs on a big file and on the same bytes in
// memory: time to the first painted lines, time to the whole index, the
// longest the window thread went without handling its events while indexing,
// the time of one repaint after scrolling, resident memory and the index size.
//   large_text_view_bench FILE
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "gui/LargeTextView.h"
#include "storage/AtomicFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace {

using kolvane::LargeTextView;

long residentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

// The longest gap between two ticks of a 1 ms timer while `done` is false.
qint64 longestStall(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    qint64 last = -1; // from the first tick on
    qint64 longest = 0;
    QTimer ticks;
    ticks.setInterval(1);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        if (last >= 0) {
            longest = std::max(longest, clock.elapsed() - last);
        }
        last = clock.elapsed();
    });
    ticks.start();
    while (!done()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return longest;
}

// The slowest and the mean repaint after a jump to a random line.
void measureScrolling(LargeTextView& view) {
    std::mt19937 random(7);
    QElapsedTimer clock;
    qint64 slowest = 0;
    qint64 total = 0;
    constexpr int kJumps = 500;
    for (int jump = 0; jump < kJumps; ++jump) {
        const int line = static_cast<int>(random() % static_cast<unsigned>(view.lineCount()));
        clock.restart();
        view.verticalScrollBar()->setValue(line);
        view.viewport()->repaint();
        const qint64 spent = clock.nsecsElapsed();
        slowest = std::max(slowest, spent);
        total += spent;
    }
    std::printf("  repaint after a jump: mean %.2f ms, slowest %.2f ms\n",
                static_cast<double>(total) / kJumps / 1e6, static_cast<double>(slowest) / 1e6);
}

template <typename Show> void measure(const char* what, LargeTextView& view, Show show) {
    const long before = residentKiB();
    QElapsedTimer clock;
    clock.start();
    show();
    view.viewport()->repaint();
    const double firstPaint = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    const qint64 stall = longestStall([&] { return view.indexComplete(); });
    const double indexed = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    std::printf("%s: %lld lines\n  first lines painted after %.1f ms, whole index after %.1f ms,"
                " longest stall of the window thread %lld ms\n",
                what, static_cast<long long>(view.lineCount()), firstPaint, indexed,
                static_cast<long long>(stall));
    measureScrolling(view);
    std::printf("  resident memory %+ld KiB, index %.1f MB\n", residentKiB() - before,
                static_cast<double>(view.indexMemoryBytes()) / 1e6);
    view.setCurrentLine(0);
    view.setCurrentLine(view.lineCount() - 1, true);
    clock.restart();
    view.copy();
    std::printf("  copying all lines: %.0f ms\n", static_cast<double>(clock.nsecsElapsed()) / 1e6);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: large_text_view_bench FILE\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const std::string path = argv[1];
    LargeTextView view;
    view.resize(1000, 700);
    view.show();
    std::printf("resident memory at start: %ld KiB\n", residentKiB());
    // What the machine itself costs: the same measure while the window is idle.
    QElapsedTimer idle;
    idle.start();
    std::printf("longest stall while idle for 300 ms: %lld ms\n",
                static_cast<long long>(longestStall([&] { return idle.elapsed() > 300; })));
    measure("file", view, [&] {
        if (const kolvane::Status opened = view.openFile(path); !opened.ok()) {
            std::fprintf(stderr, "%s\n", opened.describe().c_str());
            std::exit(1);
        }
    });
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    const std::string text = bytes.str();
    view.clear();
    measure("the same text in memory", view, [&] { view.showText(text); });

    // As the result window saves its text: streamed with one line end, then flushed.
    QElapsedTimer clock;
    clock.start();
    kolvane::AtomicFileWriter copy;
    const std::string target = path + ".saved";
    kolvane::Status saved = copy.open(target);
    for (const std::string_view piece : {std::string_view(text), std::string_view("\r\n")}) {
        saved = saved.ok() ? copy.write(piece) : saved;
    }
    saved = saved.ok() ? copy.commit() : saved;
    std::printf("writing the text atomically: %.0f ms (%s)\n",
                static_cast<double>(clock.nsecsElapsed()) / 1e6,
                saved.ok() ? "written" : saved.describe().c_str());
    std::remove(target.c_str());
    return 0;
}
