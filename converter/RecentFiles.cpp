// SPDX-License-Identifier: MIT
#include "converter/RecentFiles.h"

#include <algorithm>

namespace kolvane::converter {

std::vector<std::string> WithRecentFile(std::vector<std::string> list, const std::string& path) {
    std::erase(list, path);
    list.insert(list.begin(), path);
    if (list.size() > Settings::kRecentFiles) {
        list.resize(Settings::kRecentFiles);
    }
    return list;
}

void RecentFiles::opened(const std::string& path) {
    settings_.setRecentFiles(WithRecentFile(settings_.recentFiles(), path));
}

void RecentFiles::forget(const std::string& path) {
    std::vector<std::string> list = settings_.recentFiles();
    std::erase(list, path);
    settings_.setRecentFiles(list);
}

} // namespace kolvane::converter
