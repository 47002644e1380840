#!/usr/bin/env bash
# Start-up, memory, idle and quit of Velloran against two GTK peers from Debian
# (gcolor3, a small colour picker, and gpick), installed when missing.
#
# Every program runs once per round on one private Xvfb, in an order that
# rotates from round to round, each with fresh settings folders; a first round
# warms the caches and is not counted. bench/winprobe.c times each run from
# X events (no polling): exec to the map of the main window and to its first
# paint, RSS and PSS after IDLE seconds, CPU used over the second half of
# that idle time, and close (WM_DELETE_WINDOW) to exit.
#
# Prints the median of each figure per program and, for each peer, the median
# over the rounds of that round's ratio Velloran / peer.
#
# Usage: bench/startup.sh VELLORAN [ROUNDS] [BEFORE]
#   BEFORE: another build of Velloran (say, of the previous commit) to run in
#   the same rounds, shown as "before".
# KEEP_SETTINGS=1 keeps each program's folders from round to round, so every
# counted run finds the settings of the run before it (the usual start), not
# a first start.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
velloran=$(realpath "${1:?path to the velloran program}")
rounds=${2:-15}
before=${3:+$(realpath "$3")}
idle=${IDLE:-2}

missing=()
command -v gcolor3 >/dev/null || missing+=(gcolor3)
command -v gpick >/dev/null || missing+=(gpick)
command -v Xvfb >/dev/null || missing+=(xvfb)
command -v cc >/dev/null || missing+=(gcc)
for dev in libx11-dev libxdamage-dev; do
  dpkg-query -W -f='${Status}' "$dev" 2>/dev/null | grep -q 'install ok installed' || missing+=("$dev")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing what the benchmark needs: ${missing[*]}" >&2
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

work=$(mktemp -d)
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

cc -O2 -o "$work/winprobe" "$here/winprobe.c" -lX11 -lXdamage

# Xvfb picks a free display and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")" GDK_BACKEND=x11 NO_AT_BRIDGE=1

# name, title of the main window, program
programs=("velloran|Velloran v2.0|$velloran" "gcolor3|Color Picker|gcolor3" "gpick|Gpick|gpick")
[ -n "$before" ] && programs+=("before|Velloran v2.0|$before")

run_one() {
  local round=$1 name=$2 title=$3 program=$4 home
  if [ -n "${KEEP_SETTINGS:-}" ]; then
    home=$work/home-$name
  else
    home=$(mktemp -d "$work/home.XXXXXX")
  fi
  mkdir -p "$home/config" "$home/data" "$home/cache"
  local line
  line=$(cd "$home" && HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_CACHE_HOME=$home/cache \
    "$work/winprobe" "$title" 200 "$idle" "$program" || true)
  [ -n "${KEEP_SETTINGS:-}" ] || rm -rf "$home"
  echo "$round $name $line" >>"$work/results"
  case $line in *status=ok*) ;; *) echo "round $round, $name: $line" >&2 ;; esac
}

count=${#programs[@]}
for ((round = 0; round <= rounds; round++)); do
  for ((i = 0; i < count; i++)); do
    IFS='|' read -r name title program <<<"${programs[(round + i) % count]}"
    run_one "$round" "$name" "$title" "$program"
  done
done

# "round value" of one figure of one program, counted rounds only.
figure() {
  awk -v name="$1" -v key="$2" '$1 > 0 && $2 == name && /status=ok/ {
    for (i = 3; i <= NF; i++) { split($i, kv, "="); if (kv[1] == key) print $1, kv[2] } }' "$work/results"
}
median() { sort -g | awk '{v[NR] = $1} END {if (NR) printf "%.2f", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; else printf "-"}'; }
# Median over the rounds of the ratio first / second of one figure.
ratio() {
  LC_ALL=C join <(figure "$1" "$3" | LC_ALL=C sort -k1,1) <(figure "$2" "$3" | LC_ALL=C sort -k1,1) | awk '$3 > 0 {print $2 / $3}' | median
}

keys=(paint_ms map_ms rss_kb pss_kb close_ms idle_cpu_ms idle_switches)
echo "$rounds counted rounds, ${idle} s idle, display $DISPLAY"
printf '%-14s' program "${keys[@]}"
echo
for entry in "${programs[@]}"; do
  name=${entry%%|*}
  printf '%-14s' "$name"
  for key in "${keys[@]}"; do printf '%-14s' "$(figure "$name" "$key" | cut -d' ' -f2 | median)"; done
  echo
done
echo "median of per-round ratios, velloran / other:"
printf '%-14s' other paint_ms map_ms rss_kb pss_kb close_ms
echo
for entry in "${programs[@]:1}"; do
  other=${entry%%|*}
  printf '%-14s' "$other"
  for key in paint_ms map_ms rss_kb pss_kb close_ms; do printf '%-14s' "$(ratio velloran "$other" "$key")"; done
  echo
done
[ -z "${KEEP_RESULTS:-}" ] || cp "$work/results" "$KEEP_RESULTS"
