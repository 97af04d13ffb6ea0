// SPDX-License-Identifier: MIT
#include "storage/AutomaticImportRegistration.h"

#include "storage/AtomicFile.h"
#include "storage/DstWriter.h"
#include "storage/Recover_DST.h"

#include <algorithm>
#include <filesystem>

namespace kolvane {
namespace {

std::string shellQuoted(std::string_view text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string fileNameOf(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

} // namespace

BlankReplacement Quitar_Blancos(std::string_view path) {
    BlankReplacement result{std::string(path), 0};
    for (char& c : result.path) {
        if (c == ' ') {
            c = '_';
            ++result.blanks;
        }
    }
    return result;
}

std::string AutomationNameOf(std::string_view dstPath) {
    const std::string fileName = fileNameOf(dstPath);
    return fileName.substr(0, fileName.size() >= 4 ? fileName.size() - 4 : 0);
}

WizardStart PresetAutomationWizard(std::string_view chosenPath, const ImportSetup& setup,
                                   const AutomationList& list) {
    WizardStart start;
    const BlankReplacement replaced = Quitar_Blancos(chosenPath);
    start.blanksReplaced = replaced.blanks;
    AutomationWizard& wizard = start.wizard;
    wizard.AutomationDstPath = replaced.path;
    wizard.AutomationSourcePath = setup.SourceFilePath;
    wizard.CreateBatchFile = true;
    wizard.FixedSourcePath = true;
    wizard.AutomationName = AutomationNameOf(wizard.AutomationDstPath);
    wizard.Description.clear();
    wizard.AutomationIndex = static_cast<int>(list.size()) + 1;
    if (const auto existing = Existe_Automatizacion(list, wizard.AutomationDstPath)) {
        wizard.AutomationIndex = *existing;
        start.alreadyRegistered = true;
    }
    return start;
}

std::string BatchFilePath(const AutomationWizard& wizard, const std::string& programFolder,
                          BatchFlavour flavour) {
    return flavour == BatchFlavour::WindowsBatch
               ? programFolder + "\\" + wizard.AutomationName + ".bat"
               : programFolder + "/" + wizard.AutomationName + ".sh";
}

std::string BatchFileLine(const AutomationWizard& wizard, const std::string& runnerProgram,
                          BatchFlavour flavour) {
    std::string switches;
    if (wizard.StartWithoutConfirmation) {
        switches += " -d";
    }
    if (wizard.CloseWithoutConfirmation) {
        switches += " -c";
    }
    if (flavour == BatchFlavour::WindowsBatch) {
        return runnerProgram + switches + " " + wizard.AutomationDstPath + "\r\n";
    }
    return "exec " + shellQuoted(runnerProgram) + switches + " " +
           shellQuoted(wizard.AutomationDstPath) + "\n";
}

Status WriteBatchFile(const AutomationWizard& wizard, const BatchFileTarget& target) {
    const std::string path = BatchFilePath(wizard, target.programFolder);
    if (Status written = WriteFileAtomically(path, BatchFileLine(wizard, target.runnerProgram));
        !written.ok()) {
        return written;
    }
    if constexpr (kNativeBatch == BatchFlavour::PosixShell) {
        using std::filesystem::perms;
        std::error_code ec;
        std::filesystem::permissions(path,
                                     perms::owner_all | perms::group_read | perms::group_exec |
                                         perms::others_read | perms::others_exec,
                                     ec);
        if (ec) {
            return {ErrorCode::WriteFailed, "cannot be made executable: " + ec.message(), path};
        }
    }
    return Status::Ok();
}

Status RegisterAutomaticImport(AutomationList& list, const std::string& dstPath, WinReg& settings) {
    if (Status checked = CheckAutomationPath(dstPath); !checked.ok()) {
        return checked;
    }
    // The list as stored now, not as it was read: another program may have
    // changed it since. A path already there keeps its place.
    return UpdateAutomations(
        settings,
        [&](AutomationList& stored) {
            if (!Existe_Automatizacion(stored, dstPath)) {
                stored.push_back(dstPath);
            }
            return Status::Ok();
        },
        list);
}

Status Crear_Automatizacion(ImportSetup& setup, const Language& language,
                            const AutomationWizard& wizard, AutomationList& list, WinReg& settings,
                            const BatchFileTarget& batch) {
    if (Status checked = CheckAutomationPath(wizard.AutomationDstPath); !checked.ok()) {
        return checked;
    }
    const auto index = static_cast<std::size_t>(std::max(wizard.AutomationIndex, 1));
    if (index > list.size() + 1 || index > kMaxAutomations) {
        return {ErrorCode::BadSetup, "the list of automatic imports cannot take this entry",
                wizard.AutomationDstPath};
    }
    if (wizard.CreateBatchFile) {
        if (Status written = WriteBatchFile(wizard, batch); !written.ok()) {
            return written;
        }
    }
    setup.Description = wizard.Description;
    const std::string sourceLine = wizard.FixedSourcePath ? wizard.AutomationSourcePath : "@";
    if (Status written = WriteDstFile(setup, language, wizard.AutomationDstPath, sourceLine);
        !written.ok()) {
        return written;
    }
    return RegisterAutomaticImport(list, wizard.AutomationDstPath, settings);
}

Status RemoveAutomaticImport(AutomationList& list, int position, WinReg& settings,
                             SetupFileOnRemoval setupFile) {
    if (position < 1 || static_cast<std::size_t>(position) > list.size()) {
        return {ErrorCode::BadSetup,
                "there is no automatic import at position " + std::to_string(position)};
    }
    const std::string dstPath = list[static_cast<std::size_t>(position) - 1];
    // The list first: a setup file is deleted only once nothing points at it.
    if (Status removed = UpdateAutomations(
            settings,
            [&](AutomationList& stored) {
                std::erase(stored, dstPath);
                return Status::Ok();
            },
            list);
        !removed.ok()) {
        return removed;
    }
    if (setupFile == SetupFileOnRemoval::Keep) {
        return Status::Ok();
    }
    std::error_code ec;
    std::filesystem::remove(dstPath, ec);
    if (ec && ec != std::errc::no_such_file_or_directory) {
        return {ErrorCode::WriteFailed,
                "the automatic import was removed from the list, but its setup file cannot be "
                "deleted: " +
                    ec.message(),
                dstPath};
    }
    return Status::Ok();
}

} // namespace kolvane
