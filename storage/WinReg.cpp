// SPDX-License-Identifier: MIT
// The programs' own settings and the herd software's install folder, by value name only.
#include "storage/WinReg.h"

#include "storage/Control_Registro.h"

namespace kolvane {
namespace {

constexpr std::string_view kRootKey = "HKEY_CURRENT_USER";
// Characters of the read buffer that a missing value's default is taken from.
constexpr std::size_t kReadBufferLength = 2000;

// The default text padded with blanks to the buffer's length.
std::string readBuffer(std::string_view defaultText) {
    std::string buffer(defaultText.substr(0, kReadBufferLength));
    buffer.resize(kReadBufferLength, ' ');
    return buffer;
}

} // namespace

WinReg::WinReg(RegistryBackend& backend) : backend_(backend) {}

std::string WinReg::Leer_Setting(std::string_view name, std::string_view defaultText, int length) {
    return Control_Registro(backend_).Recuperar_Setting(kRootKey, kSettingsKey, name,
                                                        readBuffer(defaultText), length);
}

bool WinReg::Escribir_Setting(std::string_view name, std::string_view value) {
    return Control_Registro(backend_).Guardar_Setting(kRootKey, kSettingsKey, name, value);
}

bool WinReg::Actualizar_Setting(std::string_view name, const RegistryBackend::ValueUpdate& update) {
    return backend_.updateValue(RootKey::CurrentUser, kSettingsKey, name,
                                [&](const std::optional<std::string>& current) {
                                    std::optional<std::string> changed = update(current);
                                    if (changed && changed->empty()) {
                                        changed->assign(1, ' '); // as Escribir_Setting stores it
                                    }
                                    return changed;
                                });
}

std::string WinReg::Leer_Ruta_HX() {
    return Control_Registro(backend_).Recuperar_Setting(kRootKey, kInstallKey, "Path",
                                                        readBuffer(""), 0);
}

} // namespace kolvane
