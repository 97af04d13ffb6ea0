// SPDX-License-Identifier: MIT
// hxautoserver: herdsim's automation server. Calls arrive framed on standard
// input, answers leave framed on standard output; nothing else is written there.
#include "herdsim/HerdDatabase.h"
#include "herdsim/HerdServer.h"
#include "storage/ProgramFolder.h"
#include "storage/RegistryBackend.h"

#include <csignal>
#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace {

constexpr std::string_view kSettingsKey = "software\\Tremholt\\Kolvane\\Settings";

} // namespace

int main() {
    // A caller that goes away must end the server through a failed write, not a signal.
    std::signal(SIGPIPE, SIG_IGN);
    const std::shared_ptr<kolvane::RegistryBackend> registry = kolvane::OpenUserRegistry();
    herdsim::ServerSetup setup{
        herdsim::CodeList::Seed(), herdsim::Translations::BuiltIn(),
        (std::filesystem::path(kolvane::ProgramFolder()) / herdsim::kHerdDatabaseName).string(),
        [registry]() -> std::optional<std::string> {
            return registry ? registry->readValue(kolvane::RootKey::CurrentUser, kSettingsKey,
                                                  "Language")
                            : std::nullopt;
        }};
    const herdsim::HerdServer server(std::move(setup), std::cerr);
    return herdsim::ServeFrames(
        STDIN_FILENO, STDOUT_FILENO,
        [&server](std::string_view payload) { return server.handlePayload(payload); }, std::cerr);
}
