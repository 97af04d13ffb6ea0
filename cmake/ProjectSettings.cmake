# SPDX-License-Identifier: MIT
# Settings shared by every target of the project: link kolvane_settings PRIVATE.
add_library(kolvane_settings INTERFACE)
target_compile_features(kolvane_settings INTERFACE cxx_std_20)
target_include_directories(kolvane_settings INTERFACE ${PROJECT_SOURCE_DIR})
target_compile_options(kolvane_settings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
                       -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Woverloaded-virtual)
# Every conversion between bytes and QString must be explicit.
target_compile_definitions(kolvane_settings INTERFACE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
if(KOLVANE_WERROR)
    target_compile_options(kolvane_settings INTERFACE -Werror)
endif()
if(KOLVANE_SANITIZE)
    target_compile_options(kolvane_settings INTERFACE -fsanitize=address,undefined
                           -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(kolvane_settings INTERFACE -fsanitize=address,undefined)
endif()
if(KOLVANE_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "KOLVANE_FUZZ needs clang (libFuzzer); got ${CMAKE_CXX_COMPILER_ID}")
    endif()
    # Coverage feedback and the sanitizers in every library; libFuzzer's main is
    # linked into the fuzz targets only.
    target_compile_options(kolvane_settings INTERFACE -fsanitize=fuzzer-no-link,address,undefined
                           -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(kolvane_settings INTERFACE -fsanitize=address,undefined)
endif()
