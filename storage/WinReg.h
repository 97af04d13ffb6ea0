// SPDX-License-Identifier: MIT
// The programs' own settings and the herd software's install folder, by value name only.
#pragma once

#include "storage/RegistryBackend.h"

#include <string>
#include <string_view>

namespace kolvane {

// Both keys live under HKEY_CURRENT_USER.
class WinReg {
public:
    static constexpr std::string_view kSettingsKey = "software\\Tremholt\\Kolvane\\Settings";
    static constexpr std::string_view kInstallKey = "software\\Tremholt\\HXInstall\\Settings";

    explicit WinReg(RegistryBackend& backend);

    // The stored value whole, or the default cut or blank-padded to `length` characters.
    std::string Leer_Setting(std::string_view name, std::string_view defaultText, int length);
    // An empty value is stored as " ". False when the store cannot be written.
    bool Escribir_Setting(std::string_view name, std::string_view value);
    // Reads, changes and stores one setting in one step (see RegistryBackend::updateValue);
    // `update` is given the stored text, or nothing when the setting is missing.
    bool Actualizar_Setting(std::string_view name, const RegistryBackend::ValueUpdate& update);
    // Where the settings live, for messages.
    std::string location() const { return backend_.location(); }
    // The install folder, or "" when the herd software is not installed.
    std::string Leer_Ruta_HX();

private:
    RegistryBackend& backend_;
};

} // namespace kolvane
