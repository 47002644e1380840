#!/usr/bin/env bash
# Checks what users get: a Release build installed with DESTDIR into a
# staging folder (files, manual page, desktop entry, AppStream metadata, the
# command line without a display, the installed program run under Xvfb),
# then the Debian package made by CPack (control fields, file list). Exits
# non-zero on the first stage with a problem, after listing every problem of
# that stage.
set -euo pipefail
cd "$(dirname "$0")/.."

title="Velloran v2.0"
icon_sizes=(16 24 32 48 64 128 256)

problems=0
problem() {
  echo "check-install: $*" >&2
  problems=$((problems + 1))
}
end_stage() {
  if [ "$problems" -ne 0 ]; then
    echo "check-install: $1: $problems problem(s)" >&2
    exit 1
  fi
  echo "check-install: $1: ok"
}

# Waits (tries x 0.2 s) until the X server lists a window with this exact
# title; 1 when none came. grep reads the whole list: with pipefail, -q could
# end xwininfo by SIGPIPE and fail the match.
wait_for_window() {
  local name=$1 tries=$2
  for ((i = 0; i < tries; i++)); do
    xwininfo -root -tree | grep -F "\"$name\":" >/dev/null && return 0
    sleep 0.2
  done
  return 1
}

# Runs inside xvfb-run: starts the installed program, opens its help
# contents, quits it from its menu, and checks where it wrote.
run_installed() {
  local program=$1 home=$2 help_file=$3
  local config=$home/config
  mkdir -p "$config"
  export HOME=$home XDG_CONFIG_HOME=$config GDK_BACKEND=x11 NO_AT_BRIDGE=1

  local before after
  before=$(find "$(dirname "$program")/.." -printf '%P %s %T@\n' | sort)

  "$program" &
  local pid=$!
  # shellcheck disable=SC2064
  trap "kill $pid 2>/dev/null || true" EXIT

  if ! wait_for_window "$title" 150; then
    problem "the installed program showed no window titled \"$title\""
    return
  fi
  local window
  window=$(xdotool search --name "^${title}\$" | head -n 1)
  xdotool windowfocus --sync "$window"
  sleep 0.5

  # Aide > the first item opens the contents page, titled as in the help file.
  local contents
  contents=$(sed -n 's/^\[sommaire\] *//p' "$help_file")
  xdotool key alt+a
  sleep 0.5
  xdotool key Return
  wait_for_window "$contents" 50 || problem "the installed program did not open its help (no window \"$contents\")"

  # Fichiers > Quitter closes the program as a user would.
  xdotool windowfocus --sync "$window"
  sleep 0.5
  xdotool key alt+f
  sleep 0.5
  xdotool key q
  for ((i = 0; i < 50; i++)); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
  done
  if kill -0 "$pid" 2>/dev/null; then
    problem "the installed program did not quit from its menu"
    return
  fi
  wait "$pid" || problem "the installed program exited with status $?"
  trap - EXIT

  after=$(find "$(dirname "$program")/.." -printf '%P %s %T@\n' | sort)
  [ "$before" = "$after" ] || problem "the program changed files beside itself: $(diff <(echo "$before") <(echo "$after") | grep '^[<>]' | head -n 5)"
  [ -f "$config/velloran/settings.reg" ] || problem "no settings in \$XDG_CONFIG_HOME/velloran/ after quitting"
  local stray
  stray=$(find "$config" -mindepth 1 -maxdepth 1 ! -name velloran)
  [ -z "$stray" ] || problem "the program wrote to \$XDG_CONFIG_HOME outside velloran/: $stray"
}

if [ "${1:-}" = "--run-installed" ]; then
  shift
  run_installed "$@"
  [ "$problems" -eq 0 ]
  exit
fi

scripts/install-deps.sh

build="build-install"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stage=$work/stage
prefix=/usr
root=$stage$prefix

# Stage 1: the installed tree.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELLORAN_WERROR=ON -DVELLORAN_TESTS=OFF \
  -DVELLORAN_BENCH=OFF -DwxWidgets_CONFIG_EXECUTABLE="$(scripts/build-wx.sh)" >/dev/null
cmake --build "$build" -j"$(nproc)" --target velloran
DESTDIR=$stage cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
  bin/velloran
  share/velloran/velloran.hlp
  share/applications/velloran.desktop
  share/metainfo/velloran.metainfo.xml
  share/doc/velloran/copyright
  share/man/man1/velloran.1.gz
  share/icons/hicolor/scalable/apps/velloran.svg
)
for size in "${icon_sizes[@]}"; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/velloran.png")
done
for f in "${expected[@]}"; do
  [ -f "$root/$f" ] || problem "not installed: $prefix/$f"
done
unexpected=$(comm -13 <(printf '%s\n' "${expected[@]}" | sort) <(cd "$root" && find . -type f -printf '%P\n' | sort))
[ -z "$unexpected" ] || problem "installed but not expected: $unexpected"

[ -x "$root/bin/velloran" ] || problem "$prefix/bin/velloran is not executable"
file -b "$root/bin/velloran" | grep -q '^ELF' || problem "$prefix/bin/velloran is not a program"
for size in "${icon_sizes[@]}"; do
  png=$root/share/icons/hicolor/${size}x${size}/apps/velloran.png
  [ -f "$png" ] && ! file -b "$png" | grep -q "^PNG image data, $size x $size," &&
    problem "the ${size}x${size} icon is not a $size x $size PNG: $(file -b "$png")"
done
svg=$root/share/icons/hicolor/scalable/apps/velloran.svg
[ -f "$svg" ] && ! file -b "$svg" | grep -q 'SVG' && problem "the scalable icon is not SVG: $(file -b "$svg")"

man_page=$root/share/man/man1/velloran.1.gz
if [ -f "$man_page" ]; then
  man_warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$man_page" 2>&1 >/dev/null)
  [ -z "$man_warnings" ] || problem "man warns about velloran.1: $man_warnings"
  lexgrog "$man_page" | grep -q ': "velloran - ' || problem "velloran.1 has no NAME line for whatis"
fi
# The command line needs no display.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/bin/velloran" --version 2>&1) ||
  problem "the installed velloran --version failed: $version"
[ "$version" = "$title" ] || problem "velloran --version printed \"$version\", not \"$title\""

desktop=$root/share/applications/velloran.desktop
if [ -f "$desktop" ]; then
  desktop-file-validate "$desktop" || problem "desktop-file-validate rejects velloran.desktop"
  # The entry must start the installed program and name the installed icon.
  grep -qx 'Exec=velloran' "$desktop" || problem "velloran.desktop: Exec is not velloran"
  grep -qx 'Icon=velloran' "$desktop" || problem "velloran.desktop: Icon is not velloran"
fi
metainfo=$root/share/metainfo/velloran.metainfo.xml
if [ -f "$metainfo" ]; then
  appstreamcli validate --no-net "$metainfo" || problem "appstreamcli rejects velloran.metainfo.xml"
  grep -q '<launchable type="desktop-id">velloran.desktop</launchable>' "$metainfo" ||
    problem "velloran.metainfo.xml does not launch velloran.desktop"
fi
end_stage "installed tree"

# Stage 2: the installed program, started from the staging folder.
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
  "$0" --run-installed "$root/bin/velloran" "$work/home" "$root/share/velloran/velloran.hlp" ||
  problem "the installed program failed under Xvfb"
end_stage "installed program"

# Stage 3: the Debian package.
rm -f "$build"/velloran_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/velloran_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  problem "cpack made no single velloran_*.deb"
  end_stage "Debian package"
fi
deb=${debs[0]}
dpkg-deb -I "$deb"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = velloran ] || problem "Package is not velloran"
[ "$(field Version)" = 2.0 ] || problem "Version is not 2.0"
[ "$(field Maintainer)" = "Velloran team <velloran@example.org>" ] || problem "Maintainer: $(field Maintainer)"
[[ "$(field Section)" =~ ^(web|devel)$ ]] || problem "Section: $(field Section)"
depends=$(field Depends)
for dep in libc6 libstdc++6 libgtk-3-0 libx11-6 fonts-liberation; do
  [[ ", $depends," == *", $dep "* || ", $depends," == *", $dep,"* ]] || problem "Depends lacks $dep: $depends"
done
# wxWidgets is linked in (scripts/build-wx.sh).
[[ "$depends" != *libwx* ]] || problem "Depends names a wxWidgets library: $depends"

# The package holds exactly the installed tree, under /usr.
packaged=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./||' | sort)
staged=$(cd "$stage" && find . -type f -printf '%P\n' | sort)
[ "$packaged" = "$staged" ] || problem "the package's files differ from the installed tree: $(diff <(echo "$staged") <(echo "$packaged") | grep '^[<>]')"
outside=$(dpkg-deb -c "$deb" | awk '{ print $6 }' | grep -v '^\./usr/' || true)
[ -z "$outside" ] || problem "the package installs outside /usr: $outside"
dpkg-deb -x "$deb" "$work/deb"
file -b "$work/deb/usr/bin/velloran" | grep -q ', stripped' || problem "the packaged program is not stripped"
end_stage "Debian package"

echo "check-install: $deb"
