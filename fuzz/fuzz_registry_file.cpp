// SPDX-License-Identifier: MIT
// The settings store's REGEDIT4 text: whatever reads must write back to a text
// that reads as the same store.
#include "fuzz/FuzzSupport.h"
#include "storage/FileRegistry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kolvane;
    using namespace kolvane::fuzz;
    const std::optional<MemoryRegistry> store = ParseRegistryText(AsText(data, size));
    if (!store) {
        return 0;
    }
    const std::string written = FormatRegistryText(*store);
    const std::optional<MemoryRegistry> again = ParseRegistryText(written);
    Require(again.has_value(), "a written store reads back");
    Require(FormatRegistryText(*again) == written, "a written store reads back the same");
    return 0;
}
