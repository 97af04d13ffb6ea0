#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the fuzz targets in build-fuzz/ (clang, libFuzzer, ASan + UBSan) and runs
# each for SECONDS (default 30), two at a time. Fails on any crash or sanitizer report;
# the input that caused it is kept in build-fuzz/artifacts/.
#   scripts/fuzz.sh [SECONDS]
#   FUZZ_JOBS=1 scripts/fuzz.sh 600     one target at a time, ten minutes each
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
jobs=${FUZZ_JOBS:-2}
build_dir=build-fuzz
targets=(fuzz_dst_reader fuzz_delimited fuzz_fixed_width fuzz_dates_numbers fuzz_registry_file
    fuzz_adis_answer fuzz_importer_report fuzz_dst_roundtrip fuzz_parallel_conversion)

install_missing() {
    # clang and its runtimes: libFuzzer and the sanitizers live in libclang-rt-14-dev,
    # llvm-symbolizer (package llvm) makes the reports name files and lines.
    local packages=(clang libclang-rt-14-dev llvm cmake make)
    local missing=()
    for package in "${packages[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return
    fi
    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
    local options=(-DKOLVANE_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++)
    if command -v ccache >/dev/null; then
        options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S . -B "$build_dir" "${options[@]}" >/dev/null
    cmake --build "$build_dir" -j2 --target fuzz_targets
}

# Seeds of target $1, copied afresh each run: the committed ones and the test data.
seed_folder() {
    local target=$1 seeds=$build_dir/seeds/$1
    rm -rf "$seeds"
    mkdir -p "$seeds"
    local name
    case $target in
    fuzz_dst_reader | fuzz_dst_roundtrip)
        for case_dir in tests/data/golden/*/; do
            [ -f "$case_dir/setup.dst" ] && cp "$case_dir/setup.dst" "$seeds/$(basename "$case_dir").dst"
        done
        cp fuzz/corpus/dst/* "$seeds/"
        ;;
    fuzz_delimited | fuzz_fixed_width | fuzz_parallel_conversion)
        for case_dir in tests/data/golden/*/; do
            name=$(basename "$case_dir")
            [ -f "$case_dir/source.txt" ] && cp "$case_dir/source.txt" "$seeds/$name.txt"
        done
        ;;
    fuzz_adis_answer)
        for case_dir in tests/data/golden/*/; do
            [ -f "$case_dir/expected.ads" ] && cp "$case_dir/expected.ads" "$seeds/$(basename "$case_dir").ads"
        done
        cp fuzz/corpus/adis_answer/* "$seeds/"
        ;;
    *)
        cp "fuzz/corpus/${target#fuzz_}"/* "$seeds/"
        ;;
    esac
    echo "$seeds"
}

run_target() {
    local target=$1 seeds corpus=$build_dir/corpus/$1 log=$build_dir/logs/$1.log
    seeds=$(seed_folder "$target")
    mkdir -p "$corpus" "$build_dir/artifacts"
    local status=0
    "$build_dir/bin/$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build_dir/artifacts/$target-" \
        "$corpus" "$seeds" >"$log" 2>&1 || status=$?
    echo "$status" >"$build_dir/logs/$target.status"
}

summary() {
    local failed=0 target status
    for target in "${targets[@]}"; do
        status=$(cat "$build_dir/logs/$target.status")
        local done_line
        done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$build_dir/logs/$target.log" | tail -1 || true)
        if [ "$status" = 0 ]; then
            printf '%-26s ok      %s\n' "$target" "$done_line"
        else
            printf '%-26s FAILED  exit %s, see %s\n' "$target" "$status" "$build_dir/logs/$target.log"
            failed=1
        fi
    done
    return $failed
}

install_missing
build
mkdir -p "$build_dir/logs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
        wait -n || true
    done
    echo "Fuzzing $target for ${seconds}s"
    run_target "$target" &
done
wait
summary
