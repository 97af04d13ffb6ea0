#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# End-to-end throughput and peak memory of `kolvane-cli convert` on generated
# test-day files, beside, in the same run and on the same file: `wc -l`, a
# hand-optimised transform written for this one file shape, gawk and mawk and
# Python doing a simpler version of the job, and a reference kolvane-cli built
# from commit 0bdde71 (before the conversion was made faster).
#   bench/run_convert_bench.sh [BUILD_DIR] [ROWS...]
# Defaults: build/ and 1000000 5000000 rows. Files go to $BENCH_DIR (default
# /tmp/kolvane-bench). Every command runs $ROUNDS times (default 5), the
# commands taking turns, and the median is shown. $BEFORE_CLI names the
# reference binary; without it the script builds one from 0bdde71 in
# $BENCH_DIR/before (a git worktree, kolvane-cli only).
#
# Every run checks, untimed, that kolvane-cli writes the same bytes to standard
# output and the same findings to standard error as the reference binary, and
# the same bytes as the hand-written transform; it stops at the first
# difference. Needs /usr/bin/time (Debian package "time"), gawk, mawk, python3.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
shift || true
rows_list=("$@")
[ ${#rows_list[@]} -gt 0 ] || rows_list=(1000000 5000000)
work=${BENCH_DIR:-/tmp/kolvane-bench}
rounds=${ROUNDS:-5}
reference_commit=0bdde71
mkdir -p "$work"
cli="$build/bin/kolvane-cli"

build_reference() {
    local tree="$work/before"
    if [ ! -x "$tree/build/bin/kolvane-cli" ]; then
        [ -d "$tree" ] || git worktree add --detach "$tree" "$reference_commit" >&2
        cmake -S "$tree" -B "$tree/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DKOLVANE_BUILD_TESTS=OFF > /dev/null
        cmake --build "$tree/build" -j2 --target kolvane-cli > /dev/null
    fi
    echo "$tree/build/bin/kolvane-cli"
}
before=${BEFORE_CLI:-$(build_reference)}

# Python, gawk and mawk: split, reorder the date, pad every field; no decimals,
# factors or times.
python_job='import sys
out = sys.stdout.buffer
with open(sys.argv[1], "rb") as f:
    next(f)
    for line in f:
        c = line.rstrip(b"\r\n").split(b";")
        if len(c) < 10:
            continue
        d = c[1].split(b"-")
        out.write(b"VN000000%-15.15s20%s%s%s%-3.3s%-4.4s%-5.5s%-2.2s%-24.24s%-6.6s%-3.3s%-24.24s\r\n" % (
            c[0], d[2], d[1], d[0], c[2], c[3], c[4], c[5], c[6], c[7], c[8], c[9]))'

awk_job='NR > 1 && NF { split($2, d, "-");
  printf "VN000000%-15.15s20%s%s%s%-3.3s%-4.4s%-5.5s%-2.2s%-24.24s%-6.6s%-3.3s%-24.24s\r\n",
         $1, d[3], d[2], d[1], $3, $4, $5, $6, $7, $8, $9, $10 }'

# One timed run: "seconds peak-kB" of a command whose output goes to $out.
timed() {
    local out=$1
    shift
    local start end peak
    start=$(date +%s%N)
    peak=$( { /usr/bin/time -f '%M' "$@" > "$out"; } 2>&1 | tail -1)
    end=$(date +%s%N)
    echo "$(( (end - start) / 1000 )) $peak"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
largest() { sort -n | tail -1; }
rate() { awk "BEGIN{printf \"%.0f\", $1 / $2}"; } # bytes / microseconds = MB/s

# Untimed: the bytes and findings must be the reference binary's.
check_outputs() {
    local setup=$1 source=$2 rows=$3
    "$before" convert "$setup" -o - > "$work/before.ads" 2> "$work/before.err" ||
        { echo "$rows rows: the reference binary failed" >&2; exit 1; }
    "$cli" convert "$setup" -o - > "$work/after.ads" 2> "$work/after.err" ||
        { echo "$rows rows: kolvane-cli failed" >&2; exit 1; }
    "$build/bench/handwritten_testday" "$source" > "$work/hand.ads"
    cmp -s "$work/before.ads" "$work/after.ads" || { echo "$rows rows: output differs from $reference_commit" >&2; exit 1; }
    cmp -s "$work/before.err" "$work/after.err" || { echo "$rows rows: findings differ from $reference_commit" >&2; exit 1; }
    cmp -s "$work/hand.ads" "$work/after.ads" || { echo "$rows rows: output differs from the hand-written transform" >&2; exit 1; }
    echo "$rows rows: output $(md5sum < "$work/after.ads" | cut -c1-32), findings $(md5sum < "$work/after.err" | cut -c1-32): same as $reference_commit"
    rm -f "$work/before.ads" "$work/after.ads" "$work/hand.ads" "$work/before.err" "$work/after.err"
    sync # their write-back and discards are not to land in the timed runs
}

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
names=("wc -l" "hand-written" "gawk (simpler)" "mawk (simpler)" "python3 (simpler)"
    "before > /dev/null" "after > /dev/null" "before -o file" "after -o file")
for rows in "${rows_list[@]}"; do
    source="$work/testday-$rows.txt"
    setup="$work/testday-$rows.dst"
    [ -f "$source" ] && [ -f "$setup" ] || "$build/bench/generate_testday" "$rows" "$source" "$setup"
    bytes=$(stat -c %s "$source")
    check_outputs "$setup" "$source" "$rows"
    cat "$source" > /dev/null # warm the page cache
    commands=(
        "wc -l $source"
        "$build/bench/handwritten_testday $source"
        "gawk -F; $awk_job $source"
        "mawk -F; $awk_job $source"
        "python3 -c $python_job $source"
        "$before convert $setup -o -"
        "$cli convert $setup -o -"
        "$before convert $setup -o $work/before-out.ads"
        "$cli convert $setup -o $work/after-out.ads"
    )
    declare -A times=() peaks=()
    for ((round = 0; round < rounds; round++)); do
        for i in "${!commands[@]}"; do
            case $i in
                2) result=$(timed /dev/null gawk -F';' "$awk_job" "$source") ;;
                3) result=$(timed /dev/null mawk -F';' "$awk_job" "$source") ;;
                4) result=$(timed /dev/null python3 -c "$python_job" "$source") ;;
                *) read -r -a argv <<< "${commands[$i]}"; result=$(timed /dev/null "${argv[@]}") ;;
            esac
            times[$i]+="${result% *} "
            peaks[$i]+="${result#* } "
        done
    done
    printf '%s rows, %.1f MB (median of %s runs; MB/s of input; peak resident memory)\n' \
        "$rows" "$(awk "BEGIN{print $bytes / 1e6}")" "$rounds"
    for i in "${!commands[@]}"; do
        us=$(tr ' ' '\n' <<< "${times[$i]}" | grep . | median)
        kb=$(tr ' ' '\n' <<< "${peaks[$i]}" | grep . | largest)
        printf '  %-20s %7.3f s %6s MB/s %7.1f MB\n' "${names[$i]}" \
            "$(awk "BEGIN{print $us / 1e6}")" "$(rate "$bytes" "$us")" \
            "$(awk "BEGIN{print $kb / 1024}")"
    done
    unset times peaks
    cmp -s "$work/before-out.ads" "$work/after-out.ads" ||
        { echo "$rows rows: the -o files differ" >&2; exit 1; }
    rm -f "$work/before-out.ads" "$work/after-out.ads"
    sync
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
