#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# End-to-end throughput and peak memory of `kolvane-cli convert` on generated
# test-day files, beside, in the same run and on the same file: `wc -l`, a
# hand-optimised transform written for this one file shape (whose output must
# be byte for byte the same), and awk doing a simpler version of the job.
#   bench/run_convert_bench.sh [BUILD_DIR] [ROWS...]
# Defaults: build/ and 100000 1000000 5000000 rows. Files go to $BENCH_DIR
# (default /tmp/kolvane-bench). Needs /usr/bin/time (Debian package "time").
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
shift || true
rows_list=("$@")
[ ${#rows_list[@]} -gt 0 ] || rows_list=(100000 1000000 5000000)
work=${BENCH_DIR:-/tmp/kolvane-bench}
mkdir -p "$work"
cli="$build/bin/kolvane-cli"

# awk and Python: split, reorder the date, pad every field; no decimals, factors or times.
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

# Seconds (best of three) and peak resident set in MB of one command.
measure() {
    local best="" rss=0
    for _ in 1 2 3; do
        local start end peak
        start=$(date +%s%N)
        peak=$( { /usr/bin/time -f '%M' "$@" > "$work/out.tmp"; } 2>&1 | tail -1)
        end=$(date +%s%N)
        local seconds
        seconds=$(awk "BEGIN{printf \"%.3f\", ($end - $start) / 1e9}")
        if [ -z "$best" ] || awk "BEGIN{exit !($seconds < $best)}"; then
            best=$seconds rss=$peak
        fi
    done
    echo "$best $(awk "BEGIN{printf \"%.1f\", $rss / 1024}")"
}

rate() { awk "BEGIN{printf \"%.0f\", $1 / 1e6 / $2}"; }

printf '%9s %7s | %-18s | %-18s | %-18s | %-18s | %-18s | %s\n' rows MB "wc -l" "hand-written" \
    "awk (simpler)" "python3 (simpler)" "kolvane-cli > file" "kolvane-cli -o (with fsync)"
for rows in "${rows_list[@]}"; do
    source="$work/testday-$rows.txt"
    setup="$work/testday-$rows.dst"
    [ -f "$source" ] || "$build/bench/generate_testday" "$rows" "$source" "$setup"
    [ -f "$setup" ] || "$build/bench/generate_testday" "$rows" "$source" "$setup"
    bytes=$(stat -c %s "$source")
    cat "$source" > /dev/null # warm the page cache

    read -r wc_s _ < <(measure wc -l "$source")
    read -r hand_s _ < <(measure "$build/bench/handwritten_testday" "$source")
    cp "$work/out.tmp" "$work/hand.ads"
    read -r awk_s _ < <(measure awk -F';' "$awk_job" "$source")
    py_s=0
    if command -v python3 > /dev/null; then
        read -r py_s _ < <(measure python3 -c "$python_job" "$source")
    fi
    read -r cli_s cli_mb < <(measure "$cli" convert "$setup")
    cmp -s "$work/hand.ads" "$work/out.tmp" || { echo "outputs differ for $rows rows" >&2; exit 1; }
    read -r file_s file_mb < <(measure "$cli" convert "$setup" -o "$work/cli.ads")
    cmp -s "$work/hand.ads" "$work/cli.ads" || { echo "outputs differ for $rows rows" >&2; exit 1; }

    row() { printf '%6.3f s %5s MB/s' "$1" "$( [ "$1" = 0 ] && echo - || rate "$bytes" "$1")"; }
    printf '%9s %7.1f | %s | %s | %s | %s | %s, %s MB | %s, %s MB\n' \
        "$rows" "$(awk "BEGIN{print $bytes / 1e6}")" "$(row "$wc_s")" "$(row "$hand_s")" \
        "$(row "$awk_s")" "$(row "$py_s")" "$(row "$cli_s")" "$cli_mb" "$(row "$file_s")" "$file_mb"
done
rm -f "$work/out.tmp" "$work/hand.ads" "$work/cli.ads"
