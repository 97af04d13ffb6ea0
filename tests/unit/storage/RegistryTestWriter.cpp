// SPDX-License-Identifier: MIT
// Test helper: writes <count> values "<prefix>-<n>" into the settings key of a store file.
#include "storage/FileRegistry.h"
#include "storage/WinReg.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: registry_test_writer <store> <prefix> <count>\n", stderr);
        return 2;
    }
    kolvane::FileRegistry store(argv[1]);
    const std::string prefix = argv[2];
    const int count = std::stoi(argv[3]);
    for (int n = 0; n < count; ++n) {
        const std::string name = prefix + "-" + std::to_string(n);
        if (!store.writeValue(kolvane::RootKey::CurrentUser, kolvane::WinReg::kSettingsKey, name,
                              "value of " + name)) {
            std::fprintf(stderr, "writing %s failed\n", name.c_str());
            return 1;
        }
    }
    return 0;
}
