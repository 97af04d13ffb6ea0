// SPDX-License-Identifier: MIT
#include "storage/OpenDst.h"

#include "storage/Recover_DST.h"

namespace kolvane {
namespace {

void finishForRunner(ImportSetup& setup, const Language& language) {
    if (setup.Staging.Separator == language.LoadText(msg::Tabs) ||
        setup.Staging.Separator == "Tabs") {
        setup.Staging.Separator.assign(1, '\t');
    }
}

} // namespace

Status OpenDst(ImportSetup& setup, const Language& language, UserPort& port,
               const std::string& path, const DstOpening& opening) {
    ImportSetup loaded;
    const Status read = opening.oldLayout ? ReadOldDstFile(loaded, language, port, path)
                                          : ReadDstFile(loaded, language, port, path);
    if (!read.ok()) {
        return read;
    }
    if (opening.reader == DstReader::Runner) {
        finishForRunner(loaded, language);
    } else {
        FinishDstLoad(loaded, language);
        loaded.FixedColumnsFromDst = true;
        loaded.ColumnsFromDst = true;
    }
    CopyStagingToWorking(loaded);
    loaded.DstFilePath = path;
    setup = std::move(loaded);
    return Status::Ok();
}

} // namespace kolvane
