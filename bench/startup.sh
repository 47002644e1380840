#!/usr/bin/env bash
# Start-up to the first shown window: Velloran against a GTK peer (gcolor3,
# a small colour picker) started the same way, on one Xvfb, alternating runs.
# Prints the median of each and the ratio Velloran / gcolor3.
# Usage: bench/startup.sh <path to velloran> [runs]
set -euo pipefail
velloran=${1:?path to the velloran program}
runs=${2:-15}
for tool in gcolor3 xdotool Xvfb; do
  command -v "$tool" >/dev/null || { echo "installing what the benchmark needs"; apt-get install -y -qq gcolor3 xdotool xvfb >/dev/null; break; }
done

export DISPLAY=:77 GDK_BACKEND=x11 NO_AT_BRIDGE=1
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 1
# Settings of a throwaway user, so both start as on a first run.
export XDG_CONFIG_HOME=$(mktemp -d)

# Milliseconds from exec to a visible top-level window whose title matches.
time_one() {
  local title=$1; shift
  local start end pid
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 &
  pid=$!
  # Poll ourselves: xdotool's own --sync waits half a second between looks.
  until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do sleep 0.005; done
  end=$(date +%s%N)
  kill "$pid"; wait "$pid" 2>/dev/null || true
  echo $(( (end - start) / 1000000 ))
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

ours=() peer=()
for ((i = 0; i < runs; i++)); do
  ours+=("$(time_one 'Velloran v2.0' "$velloran")")
  peer+=("$(time_one 'Color' gcolor3)")
done
m_ours=$(printf '%s\n' "${ours[@]}" | median)
m_peer=$(printf '%s\n' "${peer[@]}" | median)
echo "velloran median ${m_ours} ms, gcolor3 median ${m_peer} ms over ${runs} runs each"
awk -v a="$m_ours" -v b="$m_peer" 'BEGIN {printf "ratio velloran / gcolor3 = %.2f\n", a / b}'
