// SPDX-License-Identifier: MIT
// Kolvane, the interactive converter: "Kolvane [SETUP.dst]".
#include "converter/ConverterApp.h"
#include "herdlink/CodeDictionary.h"
#include "storage/ProgramFolder.h"

#include <QApplication>

int main(int argc, char** argv) {
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
