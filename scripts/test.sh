#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds, and runs every test.
#   scripts/test.sh              the normal build, in build/
#   scripts/test.sh --sanitize   with AddressSanitizer and UndefinedBehaviorSanitizer, in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
options=(-DKOLVANE_WERROR=ON)
if [ "${1:-}" = "--sanitize" ]; then
    build_dir=build-asan
    options+=(-DKOLVANE_SANITIZE=ON -DKOLVANE_BUILD_BENCH=OFF)
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

scripts/install-deps.sh
cmake -S . -B "$build_dir" "${options[@]}"
cmake --build "$build_dir" -j2
ctest --test-dir "$build_dir" --output-on-failure -j2
