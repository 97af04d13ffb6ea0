// SPDX-License-Identifier: MIT
// Reads and writes one string value of a key named by its root key's text and its path.
#pragma once

#include "storage/RegistryBackend.h"

#include <string>
#include <string_view>

namespace kolvane {

// A missing key or value reads as the default; a write that fails leaves the old value in
// place and says so.
class Control_Registro {
public:
    explicit Control_Registro(RegistryBackend& backend);

    // Root key names map exactly and case-sensitively; any other text is HKEY_USERS.
    static RootKey MapRootKey(std::string_view High_Key);

    // Creates the key and its parents when missing. An empty value is stored as " ", so that
    // an empty setting can be told from a missing one. False when the store cannot be written.
    bool Guardar_Setting(std::string_view High_Key, std::string_view subKey,
                         std::string_view Nombre_Parametro, std::string_view Valor_Parametro);
    bool Crear_Entrada(std::string_view High_Key, std::string_view subKey);
    // The stored value whole, whatever its length; when the key or value is missing, the
    // first `length` characters of the buffer `Valor_Parametro`. Never creates the key.
    std::string Recuperar_Setting(std::string_view High_Key, std::string_view subKey,
                                  std::string_view Nombre_Parametro,
                                  std::string_view Valor_Parametro, int length);

private:
    RegistryBackend& backend_;
};

} // namespace kolvane
