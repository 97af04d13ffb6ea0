// SPDX-License-Identifier: MIT
// Reads and writes one string value of a key named by its root key's text and its path.
#include "storage/Control_Registro.h"

#include <algorithm>
#include <utility>

namespace kolvane {

Control_Registro::Control_Registro(RegistryBackend& backend) : backend_(backend) {}

RootKey Control_Registro::MapRootKey(std::string_view High_Key) {
    if (High_Key == "HKEY_CLASSES_ROOT") {
        return RootKey::ClassesRoot;
    }
    if (High_Key == "HKEY_CURRENT_USER") {
        return RootKey::CurrentUser;
    }
    if (High_Key == "HKEY_LOCAL_MACHINE") {
        return RootKey::LocalMachine;
    }
    return RootKey::Users;
}

bool Control_Registro::Guardar_Setting(std::string_view High_Key, std::string_view subKey,
                                       std::string_view Nombre_Parametro,
                                       std::string_view Valor_Parametro) {
    // The backend creates a missing key with its parents as it writes.
    const std::string_view stored = Valor_Parametro.empty() ? " " : Valor_Parametro;
    return backend_.writeValue(MapRootKey(High_Key), subKey, Nombre_Parametro, stored);
}

bool Control_Registro::Crear_Entrada(std::string_view High_Key, std::string_view subKey) {
    return backend_.createKey(MapRootKey(High_Key), subKey);
}

std::string Control_Registro::Recuperar_Setting(std::string_view High_Key, std::string_view subKey,
                                                std::string_view Nombre_Parametro,
                                                std::string_view Valor_Parametro, int length) {
    if (auto stored = backend_.readValue(MapRootKey(High_Key), subKey, Nombre_Parametro)) {
        return std::move(*stored);
    }
    const auto size = static_cast<std::size_t>(std::max(length, 0));
    return std::string(Valor_Parametro.substr(0, size));
}

} // namespace kolvane
