#!/usr/bin/env bash
# Builds Velloran and runs every test: the core and GUI tests (under Xvfb) in
# a warnings-as-errors build, then again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
wx_config=$(scripts/build-wx.sh)

jobs=$(nproc)
run_ctest() {
  # One X server for the whole run; GUI tests talk to it through X11 only.
  GDK_BACKEND=x11 NO_AT_BRIDGE=1 xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
    ctest --test-dir "$1" --output-on-failure -j"$jobs"
}

cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLORAN_WERROR=ON \
  -DwxWidgets_CONFIG_EXECUTABLE="$wx_config" >/dev/null
cmake --build build-test -j"$jobs"
run_ctest build-test

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVELLORAN_WERROR=ON -DVELLORAN_SANITIZE=ON \
  -DVELLORAN_BENCH=OFF -DwxWidgets_CONFIG_EXECUTABLE="$wx_config" >/dev/null
cmake --build build-asan -j"$jobs"
# Leak detection on: the GUI tests get suppressions for the desktop libraries
# only (tests/gui/lsan.supp, set by tests/CMakeLists.txt).
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_ctest build-asan
