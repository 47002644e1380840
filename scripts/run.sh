#!/usr/bin/env bash
# Builds Velloran and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
wx_config=$(scripts/build-wx.sh)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLORAN_TESTS=OFF -DVELLORAN_BENCH=OFF \
  -DwxWidgets_CONFIG_EXECUTABLE="$wx_config" >/dev/null
cmake --build build -j"$(nproc)" --target velloran
exec build/src/app/velloran "$@"
