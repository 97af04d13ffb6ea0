// SPDX-License-Identifier: MIT
// Kolvane, the interactive converter: "Kolvane [SETUP.dst]".
#include "converter/ConverterApp.h"
#include "herdlink/CodeDictionary.h"
#include "storage/ProgramFolder.h"

#include <QApplication>
#include <cstdio>
#include <new>

namespace {
int run(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kolvane"));
    QApplication::setApplicationVersion(QStringLiteral(KOLVANE_VERSION));
    const auto registry = kolvane::OpenUserRegistry();
    const kolvane::SystemClock clock;
    const std::string folder = kolvane::ProgramFolder();
    kolvane::converter::ConverterApp app({*registry, clock,
                                          folder + "/" + kolvane::kCodeDictionaryFile,
                                          kolvane::WritableProgramFolder(), folder + "/Brennick"});
    app.start(QApplication::arguments().mid(1));
    return QApplication::exec();
}
} // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("Kolvane: there is not enough memory to go on; the program ends.\n", stderr);
        return 1;
    }
}
