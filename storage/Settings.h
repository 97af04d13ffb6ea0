// SPDX-License-Identifier: MIT
// The programs' settings by name and type: the one place that knows each
// value's name, its default and how its text reads, so callers never repeat
// Leer_Setting("Language", "EN", 2).
#pragma once

#include "storage/AutomaticImportList.h"
#include "storage/WinReg.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kolvane {

// The converter's main window, in twips as the settings keep it.
struct WindowPlacement {
    int left = 1000;
    int top = 1000;
    int width = 6500;
    int height = 6500;
};

class Settings {
public:
    explicit Settings(RegistryBackend& backend) : values_(backend) {}

    // "Language": "SP", "EN", "DE" or "FR" as stored; "EN" when absent.
    std::string language();
    // False when the store cannot be written.
    bool setLanguage(std::string_view code);

    // "ShowDialog": the note of the fixed columns window is shown again.
    bool showDialog();
    bool setShowDialog(bool show);

    // "MainLeft", "MainTop", "MainWidth", "MainHeight"; a stored value that is
    // blank or no number counts 0.
    WindowPlacement mainWindow();
    // Written in the order the converter writes them at exit.
    void setMainWindow(const WindowPlacement& placement);

    // "Automatizaciones": the registered DST paths.
    AutomationList automaticImports();
    Status setAutomaticImports(const AutomationList& list);

    // "LastAutomaticImport": the DST path the runner ran last from its
    // selection window; "" when none.
    std::string lastAutomaticImport();
    bool setLastAutomaticImport(const std::string& dstPath);

    // "ImporterTimeout": the text stored, or nothing when it is not set.
    std::optional<std::string> importerTimeout();
    // Where the settings live, for messages.
    std::string location() const { return values_.location(); }

    // "RecentFile1" to "RecentFile8": the files opened last, newest first.
    static constexpr std::size_t kRecentFiles = 8;
    std::vector<std::string> recentFiles();
    void setRecentFiles(const std::vector<std::string>& paths);

    // The herd software's install folder; "" when it is not installed.
    std::string herdInstallFolder();

    WinReg& values() { return values_; }

private:
    int number(std::string_view name, int defaultValue);

    WinReg values_;
};

} // namespace kolvane
