// SPDX-License-Identifier: MIT
// DST files, both layouts: the in-memory readers, and OpenDst on a file as the
// converter, the runner and the command line open one.
#include "fuzz/FuzzSupport.h"
#include "storage/OpenDst.h"
#include "storage/Recover_DST.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace kolvane::fuzz {
namespace {

// One file per process, rewritten for every input and removed at exit.
class ScratchFile {
public:
    ScratchFile()
        : path_((std::filesystem::temp_directory_path() /
                 ("kolvane-fuzz-" + std::to_string(::getpid()) + ".dst"))
                    .string()) {}
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& write(std::string_view bytes) const {
        std::ofstream(path_, std::ios::binary | std::ios::trunc)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path_;
    }

private:
    std::string path_;
};

void readInMemory(QuietEngine& engine, std::string_view text) {
    ImportSetup current;
    if (ReadDstText(current, engine.language, text, "fuzz.dst").ok()) {
        FinishDstLoad(current, engine.language);
        CopyStagingToWorking(current);
    }
    ImportSetup old;
    if (ReadOldDstText(old, engine.language, text, "fuzz.dst").ok()) {
        FinishDstLoad(old, engine.language);
        CopyStagingToWorking(old);
    }
}

void openFromFile(QuietEngine& engine, const std::string& path) {
    for (const DstReader reader : {DstReader::Converter, DstReader::Runner}) {
        for (const bool oldLayout : {false, true}) {
            ImportSetup setup;
            const Status opened =
                OpenDst(setup, engine.language, engine.port, path, DstOpening{reader, oldLayout});
            Require(opened.ok() || setup.DstFilePath.empty(), "a refused DST was used");
        }
    }
}

} // namespace
} // namespace kolvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kolvane::fuzz;
    static QuietEngine engine;
    static const ScratchFile scratch;
    const std::string_view text = AsText(data, size);
    readInMemory(engine, text);
    openFromFile(engine, scratch.write(text));
    return 0;
}
