# SPDX-License-Identifier: MIT
# Tests of the settings store.

# Writes numbered values into a store file; the concurrency and corrupt-store tests run it.
add_executable(registry_test_writer storage/RegistryTestWriter.cpp)
target_link_libraries(registry_test_writer PRIVATE storage engine kolvane_settings)

add_executable(registry_tests
    storage/RegistryContractTest.cpp
    storage/RegistryFileTest.cpp
    storage/RegistrySettingsTest.cpp)
target_link_libraries(registry_tests PRIVATE storage engine kolvane_settings test_support
    GTest::gtest_main)
target_compile_definitions(registry_tests PRIVATE
    REGISTRY_TEST_WRITER="$<TARGET_FILE:registry_test_writer>")
add_dependencies(registry_tests registry_test_writer)
gtest_discover_tests(registry_tests WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
