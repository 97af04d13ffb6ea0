// SPDX-License-Identifier: MIT
// The runner's texts from the herd software: text n (1 to 61) is the automation
// server's "gettranslationline" 36000 + n. When the server is not available or
// a text cannot be fetched, the runner's own English text for that use stands
// in, so it never stalls or shows a blank.
#pragma once

#include "herdlink/AutomationObject.h"

#include <array>
#include <string>

namespace kolvane {

// The numbers the runner shows.
namespace herdtext {
inline constexpr int MainCaption = 1;
inline constexpr int Start = 2;
inline constexpr int SelectionCaption = 3;
inline constexpr int RegisteredImports = 4;
inline constexpr int Ok = 5;
inline constexpr int Cancel = 6;
inline constexpr int ConfirmationCaption = 7;
inline constexpr int SetupFile = 8;
inline constexpr int Explanation = 9;
inline constexpr int NotADstFile = 10;
inline constexpr int SourceNotFound = 11;
inline constexpr int SendDateCaption = 12;
inline constexpr int WaitingCaption = 13;
inline constexpr int Details = 14;
inline constexpr int HideDetails = 15;
inline constexpr int Close = 16;
inline constexpr int ImportRunning = 17;
inline constexpr int DstMissing = 21;
inline constexpr int PressStart = 26;
inline constexpr int Choosing = 27;
inline constexpr int Reading = 28;
inline constexpr int LocateImporterTitle = 30;
inline constexpr int LocateImporterFilter = 31;
inline constexpr int CuttingColumns = 35;
inline constexpr int BuildingAdis = 36;
inline constexpr int OpenSourceTitle = 37;
inline constexpr int TooManyFields = 50;
inline constexpr int NoErrors = 51;
inline constexpr int ErrorsFound = 57;
inline constexpr int ReadingReport = 59;
} // namespace herdtext

class HerdTexts {
public:
    static constexpr int kCount = 61;

    // The runner's own texts only.
    HerdTexts();

    // Fetches the 61 texts from the server registered as hxautoserver.application.
    static HerdTexts Fetch(RegistryBackend& registry);

    // Text n (1 to 61); "" for other numbers.
    const std::string& text(int n) const;
    // How many texts came from the server.
    int fetched() const { return fetched_; }

private:
    std::array<std::string, kCount + 1> texts_;
    int fetched_ = 0;
};

} // namespace kolvane
