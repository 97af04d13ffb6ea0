// SPDX-License-Identifier: MIT
#include "runner/RunnerStartup.h"

#include <cstdlib>
#include <string_view>

namespace kolvane::runner {
namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

} // namespace

std::string RunnerUsage(const char* version) {
    return std::string("Brennick ") + version +
           ", the automatic import runner.\n"
           "Usage: Brennick [-d] [-c] SETUP.dst\n"
           "  -d  start without the confirmation window\n"
           "  -c  close at once when the importer reported nothing\n"
           "Without SETUP.dst it lets you choose a registered automatic import.\n"
           "Exit status: 0 nothing reported, 1 the conversion failed or was stopped, 2 the\n"
           "setup could not be used, 3 the importer reported errors or warnings.\n"
           "Without a desktop, 'kolvane-cli run SETUP.dst' does the same job.\n";
}

bool DesktopReachable() {
    if (const char* platform = std::getenv("QT_QPA_PLATFORM");
        platform != nullptr && *platform != '\0') {
        const std::string_view chosen(platform);
        // offscreen, vnc, wayland, eglfs...: the platform itself says where
        // the windows go; xcb still needs a display.
        if (!chosen.starts_with("xcb")) {
            return true;
        }
        return isSet("DISPLAY");
    }
    return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY");
}

std::optional<EarlyAnswerText> EarlyAnswer(int argc, const char* const* argv, const char* version) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--help" || argument == "-h") {
            return EarlyAnswerText{RunnerUsage(version), 0};
        }
        if (argument == "--version") {
            return EarlyAnswerText{std::string("Brennick ") + version + '\n', 0};
        }
    }
    if (!DesktopReachable()) {
        return EarlyAnswerText{"Brennick: no desktop to show its windows on (DISPLAY is not set); "
                               "'kolvane-cli run SETUP.dst' does the same job without one.\n",
                               2};
    }
    return std::nullopt;
}

} // namespace kolvane::runner
