// SPDX-License-Identifier: MIT
// Test helper: writes <count> values "<prefix>-<n>" into the settings key of a
// store file; with "register" or "unregister" it adds (or removes) the entries
// "/imports/<prefix>-<n>.dst" of the automatic-import list instead, one change each.
#include "storage/AutomaticImportList.h"
#include "storage/FileRegistry.h"
#include "storage/WinReg.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

using namespace kolvane;

bool changeList(WinReg& settings, const std::string& entry, bool add) {
    AutomationList stored;
    return UpdateAutomations(
               settings,
               [&](AutomationList& list) {
                   if (add) {
                       list.push_back(entry);
                   } else {
                       std::erase(list, entry);
                   }
                   return Status::Ok();
               },
               stored)
        .ok();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fputs("usage: registry_test_writer <store> <prefix> <count> [register|unregister]\n",
                   stderr);
        return 2;
    }
    FileRegistry store(argv[1]);
    WinReg settings(store);
    const std::string prefix = argv[2];
    const int count = std::stoi(argv[3]);
    const std::string mode = argc == 5 ? argv[4] : "";
    for (int n = 0; n < count; ++n) {
        const std::string name = prefix + "-" + std::to_string(n);
        const bool done =
            mode.empty() ? store.writeValue(RootKey::CurrentUser, WinReg::kSettingsKey, name,
                                            "value of " + name)
                         : changeList(settings, "/imports/" + name + ".dst", mode == "register");
        if (!done) {
            std::fprintf(stderr, "writing %s failed\n", name.c_str());
            return 1;
        }
    }
    return 0;
}
