#!/usr/bin/env bash
# Ignore-case Find against `grep -ci` over the same 64 MiB text, in one session:
# grep's CPU time (user + sys, best of RUNS) in the session's locale and in the
# C locale, then the Find benchmark's median CPU time, then the ratios.
# Usage: bench/grep_reference.sh <build dir>/bench/velloran_bench_text
set -euo pipefail

bench=${1:?usage: $0 path/to/velloran_bench_text}
runs=${RUNS:-10}
file=$(mktemp)
trap 'rm -f "$file"' EXIT
"$bench" --dump-text="$file"
size=$(stat -c %s "$file")
cat "$file" >/dev/null # into the page cache

# Best CPU seconds of $runs runs of grep -ci, under the given LC_ALL (empty: the session's).
grep_seconds() {
    local best="" t
    for ((i = 0; i < runs; i++)); do
        t=$( { TIMEFORMAT='%3U %3S'; time LC_ALL=$1 grep -ci '<body' "$file" >/dev/null; } 2>&1 |
            awk '{ print $1 + $2 }')
        best=$(awk -v a="$t" -v b="$best" 'BEGIN { print (b == "" || a < b) ? a : b }')
    done
    echo "$best"
}

session_locale=${LC_ALL:-${LC_CTYPE:-${LANG:-C}}}
grep_session=$(grep_seconds "$session_locale")
grep_c=$(grep_seconds C)
json=$(mktemp)
trap 'rm -f "$file" "$json"' EXIT
"$bench" --benchmark_filter='^BM_FindIgnoreCase$' --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_out="$json" --benchmark_out_format=json >/dev/null 2>&1
ours=$(awk -F': ' '/"name": "BM_FindIgnoreCase_median"/ { m = 1 }
    m && /"cpu_time"/ { gsub(/,/, "", $2); print $2 / 1000; exit }' "$json")

awk -v size="$size" -v ours="$ours" -v gs="$grep_session" -v gc="$grep_c" -v loc="$session_locale" 'BEGIN {
    mb = size / 1048576
    printf "Find ignoring case       %8.1f MiB/s (%.1f ms CPU)\n", mb / ours, ours * 1000
    printf "grep -ci (LC_ALL=%s) %8.1f MiB/s (%.1f ms CPU)   ratio %.2f\n", loc, mb / gs, gs * 1000, gs / ours
    printf "grep -ci (LC_ALL=C)       %8.1f MiB/s (%.1f ms CPU)   ratio %.2f\n", mb / gc, gc * 1000, gc / ours
}'
