// SPDX-License-Identifier: MIT
// Registering and removing automatic imports: the wizard's results, the
// one-line batch file that starts the runner, the DST file and the entry in
// the list of automatic imports (AutomaticImportList).
#pragma once

#include "engine/ImportSetup.h"
#include "engine/StringTable.h"
#include "storage/AutomaticImportList.h"

#include <optional>
#include <string>

namespace kolvane {

// What the automatic-import wizard collects.
struct AutomationWizard {
    std::string AutomationDstPath; // blanks already replaced by "_"
    std::string AutomationName;    // also the batch file's name
    int AutomationIndex = 1;       // position in the list (1-based): existing, or one past the last
    bool CreateBatchFile = true;
    bool StartWithoutConfirmation = false; // "-d"
    bool CloseWithoutConfirmation = false; // "-c"
    bool FixedSourcePath = true;           // else the DST stores "@"
    std::string AutomationSourcePath;
    std::string Description;
};

// The path with every blank replaced by "_", and how many there were (one
// notice, msg::BlanksReplacedInFileName, per blank).
struct BlankReplacement {
    std::string path;
    int blanks = 0;
};
BlankReplacement Quitar_Blancos(std::string_view path);

// The name an automatic import takes from its DST path: the file name without
// its last four characters ("milk_day.dst" gives "milk_day").
std::string AutomationNameOf(std::string_view dstPath);

// The wizard's presets for a chosen DST path.
struct WizardStart {
    AutomationWizard wizard;
    int blanksReplaced = 0;
    bool alreadyRegistered = false; // ask msg::AutomationAlreadyExists before going on
};
WizardStart PresetAutomationWizard(std::string_view chosenPath, const ImportSetup& setup,
                                   const AutomationList& list);

// Where the batch file goes and which runner it starts.
struct BatchFileTarget {
    std::string programFolder;
    std::string runnerProgram; // the runner's executable in the program folder
};
enum class BatchFlavour { WindowsBatch, PosixShell };
#if defined(_WIN32)
inline constexpr BatchFlavour kNativeBatch = BatchFlavour::WindowsBatch;
#else
inline constexpr BatchFlavour kNativeBatch = BatchFlavour::PosixShell;
#endif

// "<AutomationName>.bat" on Windows, "<AutomationName>.sh" elsewhere.
std::string BatchFilePath(const AutomationWizard& wizard, const std::string& programFolder,
                          BatchFlavour flavour = kNativeBatch);
// The one line: the runner, " -d" and " -c" as chosen, and the DST path. The
// shell form hands its process to the runner and quotes both paths.
std::string BatchFileLine(const AutomationWizard& wizard, const std::string& runnerProgram,
                          BatchFlavour flavour = kNativeBatch);

// Writes the batch file of `wizard` (replacing one of that name), executable
// where the system has such a mark.
Status WriteBatchFile(const AutomationWizard& wizard, const BatchFileTarget& target);

// Puts `dstPath` at the end of the stored list unless it is there already (in
// one step, so that another program's change is not lost); `list` is then the
// list as stored. A path the list cannot hold (a comma) is refused.
Status RegisterAutomaticImport(AutomationList& list, const std::string& dstPath, WinReg& settings);

// The wizard's Finish: the batch file (when asked for), the DST file, and the
// entry in the stored list (in place when the path is registered, else at the
// end), changed in one step so that another program's change is not lost;
// `list` is then the list as stored. A path the list cannot hold is refused
// before anything is written.
Status Crear_Automatizacion(ImportSetup& setup, const Language& language,
                            const AutomationWizard& wizard, AutomationList& list, WinReg& settings,
                            const BatchFileTarget& batch);

enum class SetupFileOnRemoval { Delete, Keep };

// Removes entry `position` (1-based) of `list`: the entry leaves the stored
// list (in one step, whatever else changed there since), then its DST file is
// deleted unless asked to keep it (one that is already gone is no obstacle). A
// store that cannot be written changes nothing and keeps the file. `list` is
// then the list as stored. The batch file stays.
Status RemoveAutomaticImport(AutomationList& list, int position, WinReg& settings,
                             SetupFileOnRemoval setupFile = SetupFileOnRemoval::Delete);

} // namespace kolvane
