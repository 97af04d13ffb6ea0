// SPDX-License-Identifier: MIT
#include "herdlink/HerdTexts.h"

#include "herdlink/AdisExchange.h"

namespace kolvane {
namespace {

// The runner's own words for the texts it uses, in English.
constexpr std::pair<int, const char*> kOwnTexts[] = {
    {1, "Automatic import"},
    {2, "Start"},
    {3, "Select the automatic import"},
    {4, "Registered automatic imports:"},
    {5, "OK"},
    {6, "Cancel"},
    {7, "Start this automatic import?"},
    {8, "Import setup file:"},
    {9, "Explanation:"},
    {10, "The argument is not an import setup file (.dst). Press Start to choose an automatic "
         "import."},
    {11, "The file to be imported was not found. Please choose it."},
    {12, "Send date"},
    {13, "Import into the herd program"},
    {14, "Details"},
    {15, "Hide details"},
    {16, "Close"},
    {17, "The herd program is importing the data, please wait ..."},
    {21, "The import setup file of this automatic import does not exist."},
    {26, "Press Start to choose an automatic import."},
    {27, "Choose the automatic import to run."},
    {28, "Reading the data ..."},
    {30, "Search the HXDataExchange program"},
    {31, "HXDataExchange program"},
    {35, "Cutting the fixed-width columns ..."},
    {36, "Converting to ADIS format ..."},
    {37, "Open the file to be imported"},
    {50, "A line of the file to be imported has more columns than the first line. The import is "
         "stopped."},
    {51, "The import finished without errors or warnings."},
    {57, "The import reported errors or warnings. Press Details to read them."},
    {59, "Reading the report, group "},
};

constexpr int kFirstLine = 36000;

} // namespace

HerdTexts::HerdTexts() {
    for (const auto& [number, text] : kOwnTexts) {
        texts_[static_cast<std::size_t>(number)] = text;
    }
}

HerdTexts HerdTexts::Fetch(RegistryBackend& registry) {
    HerdTexts texts;
    AutomationError error;
    auto server = AutomationObject::CreateObject(registry, kHerdServerProgId, error);
    if (!server) {
        return texts;
    }
    for (int n = 1; n <= kCount && server; ++n) {
        std::vector<std::string> arguments{std::to_string(kFirstLine + n)};
        const auto text = server->Call("gettranslationline", arguments, error);
        // A blank text would leave a control empty: the runner's own one stays.
        if (text && text->find_first_not_of(' ') != std::string::npos) {
            texts.texts_[static_cast<std::size_t>(n)] = *text;
            ++texts.fetched_;
        } else if (!text && error.number == kAutomationError) {
            break; // the server failed (and was ended): the rest stay the runner's own
        }
    }
    return texts;
}

const std::string& HerdTexts::text(int n) const {
    static const std::string none;
    return n >= 1 && n <= kCount ? texts_[static_cast<std::size_t>(n)] : none;
}

} // namespace kolvane
