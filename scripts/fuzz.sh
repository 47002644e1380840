#!/usr/bin/env bash
# Builds every libFuzzer target and runs each for a number of seconds
# (default 60) on a copy of its seed corpus, so the run adds nothing to the
# repository. Fails when a target finds a crash, a leak or a timeout; the
# input that failed is kept under fuzz/artifacts/.
#   scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build-fuzz

scripts/install-deps.sh
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLORAN_FUZZ=ON \
  -DVELLORAN_GUI=OFF -DVELLORAN_TESTS=OFF -DVELLORAN_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"

work=$(mktemp -d)
# Targets that write files (the export) write them here: in memory when the
# machine has /dev/shm, where the saves' syncs cost nothing.
files=$(mktemp -d -p "$([ -d /dev/shm ] && echo /dev/shm || echo "$work")")
trap 'rm -rf "$work" "$files"' EXIT
mkdir -p fuzz/artifacts

targets=("$build"/fuzz/fuzz_*)
[ -e "${targets[0]}" ] || { echo "no fuzz targets built" >&2; exit 1; }
failed=()
for target in "${targets[@]}"; do
  [ -x "$target" ] || continue
  name=${target##*/fuzz_}
  corpus="$work/$name"
  mkdir -p "$corpus"
  [ -d "fuzz/corpus/$name" ] && cp -R "fuzz/corpus/$name/." "$corpus/"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="fuzz/artifacts/$name-")
  [ -f "fuzz/$name.dict" ] && options+=(-dict="fuzz/$name.dict")
  echo "== fuzz_$name for ${seconds}s"
  if ! TMPDIR="$files" "$target" "${options[@]}" "$corpus" >"$work/$name.log" 2>&1; then
    tail -n 60 "$work/$name.log" >&2
    failed+=("$name")
  else
    grep -E '^(stat::number_of_executed_units|stat::new_units_added)' "$work/$name.log" || true
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz targets failed: ${failed[*]} (inputs in fuzz/artifacts/)" >&2
  exit 1
fi
echo "all fuzz targets ran ${seconds}s without a failure"
