// SPDX-License-Identifier: MIT
// The File menu's list of files opened last (source files and setups), kept in
// the settings store, newest first.
#pragma once

#include "storage/Settings.h"

#include <functional>
#include <string>
#include <vector>

namespace kolvane::converter {

// `path` moved (or added) to the front; at most Settings::kRecentFiles entries.
std::vector<std::string> WithRecentFile(std::vector<std::string> list, const std::string& path);

class RecentFiles {
public:
    explicit RecentFiles(Settings& settings) : settings_(settings) {}

    std::vector<std::string> list() const { return settings_.recentFiles(); }
    void opened(const std::string& path);
    void forget(const std::string& path);
    // Told after every change of the list (the File menu shows it again).
    void onChange(std::function<void()> changed) { changed_ = std::move(changed); }

private:
    void store(const std::vector<std::string>& list);

    Settings& settings_;
    std::function<void()> changed_;
};

} // namespace kolvane::converter
