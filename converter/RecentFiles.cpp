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

void RecentFiles::store(const std::vector<std::string>& list) {
    settings_.setRecentFiles(list);
    if (changed_) {
        changed_();
    }
}

void RecentFiles::opened(const std::string& path) {
    store(WithRecentFile(settings_.recentFiles(), path));
}

void RecentFiles::forget(const std::string& path) {
    std::vector<std::string> list = settings_.recentFiles();
    std::erase(list, path);
    store(list);
}

} // namespace kolvane::converter
