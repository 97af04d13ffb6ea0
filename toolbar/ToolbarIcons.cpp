// SPDX-License-Identifier: MIT
#include "toolbar/ToolbarIcons.h"

#include <QString>

// Outside any namespace, as Q_INIT_RESOURCE requires.
static void registerToolbarIcons() {
    Q_INIT_RESOURCE(icons);
}

namespace kolvane::toolbar {

QIcon ToolbarIcon(const char* path) {
    static const bool registered = (registerToolbarIcons(), true);
    static_cast<void>(registered);
    return QIcon(QString::fromLatin1(path));
}

QStringList ToolbarIconPaths() {
    QStringList paths;
    for (const char* path :
         {icon::AsciiFile, icon::Setup, icon::FixedColumns, icon::Codes, icon::AdisFile,
          icon::ToHerdSoftware, icon::BuildAutomation, icon::OpenDataExchange, icon::OpenFile,
          icon::OpenDst, icon::Save, icon::CloseProcess, icon::Exit}) {
        paths << QString::fromLatin1(path);
    }
    return paths;
}

} // namespace kolvane::toolbar
