# SPDX-License-Identifier: MIT
# Sources of the settings store, added to the storage library.
target_sources(storage PRIVATE
    Control_Registro.cpp
    FileRegistry.cpp
    MemoryRegistry.cpp
    RegistryBackend.cpp
    WinReg.cpp)
