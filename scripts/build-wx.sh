#!/usr/bin/env bash
# Builds the wxWidgets that Velloran links by default: Debian 12's own
# wxWidgets 3.2.2 source, as static libraries of the three parts the program
# uses (base, core, html), compiled so that the linker can drop what it does
# not call. Linked in, wx costs no symbol look-ups at start-up and only the
# pages of code the program runs; the shared libraries cost 6.7 MB more
# resident memory and a tenth of the start-up (docs/PERFORMANCE.md).
#
# Prints the path of the build's wx-config, for
#   cmake -DwxWidgets_CONFIG_EXECUTABLE="$(scripts/build-wx.sh)" ...
# The build is kept under ${XDG_CACHE_HOME:-~/.cache}/velloran, in a folder
# named after the recipe below, and made once (about 6 minutes on two
# cores): a change to the recipe builds a new one. Progress goes to stderr.
set -euo pipefail

version=3.2.2
tarball=wxwidgets3.2_${version}+dfsg.orig.tar.xz
sha256=e825125ac61f68548a3faae0fd5b3fc5377c0538961f02ac7cc2f0eae4e4f3e4
mirrors=(
  http://deb.debian.org/debian/pool/main/w/wxwidgets3.2
  http://snapshot.debian.org/archive/debian/20250520T000000Z/pool/main/w/wxwidgets3.2
)

# --prefix=/usr as Debian's build, so that wx finds the French catalogs of
# the wx3.2-i18n package. Debian's hardening flags, plus sections per
# function for the linker's --gc-sections.
flags="-O2 -fstack-protector-strong -ffunction-sections -fdata-sections"
cppflags="-D_FORTIFY_SOURCE=2"
options=(
  --prefix=/usr --with-gtk=3 --disable-shared --disable-debug
  --without-opengl --disable-webview --disable-mediactrl --disable-stc --disable-aui
  --disable-xrc --disable-propgrid --disable-ribbon --disable-richtext --disable-webrequest
  --disable-secretstore --without-libnotify --without-libtiff --without-regex
  --with-libpng=sys --with-libjpeg=sys --with-zlib=sys --with-expat=sys
)
libraries=(libwx_baseu-3.2.a libwx_gtk3u_core-3.2.a libwx_gtk3u_html-3.2.a)

cache=${XDG_CACHE_HOME:-$HOME/.cache}/velloran
key=$(echo "$sha256 $flags $cppflags ${options[*]} ${libraries[*]}" | sha256sum | cut -c1-12)
dest=$cache/wx-$version-$key
config=$dest/build/wx-config

# One build at a time (say scripts/run.sh and scripts/test.sh started
# together on a fresh machine): the second waits, then finds it made.
mkdir -p "$cache"
exec 9>"$cache/wx.lock"
flock 9
if [ -f "$dest/built" ]; then
  echo "$config"
  exit 0
fi

echo "build-wx: building wxWidgets $version (static) in $dest" >&2
work=$(mktemp -d "$cache/wx-building.XXXXXX")
trap 'rm -rf "$work"' EXIT

for mirror in "${mirrors[@]}"; do
  curl -fsSL --retry 3 -o "$work/$tarball" "$mirror/$tarball" && break
done
[ -s "$work/$tarball" ] || { echo "build-wx: could not download $tarball" >&2; exit 1; }
echo "$sha256  $work/$tarball" | sha256sum -c --quiet - >&2
tar -xJf "$work/$tarball" -C "$work"
rm "$work/$tarball"

# The folder is final before configuring: wx-config names its own paths.
rm -rf "$dest"
mkdir -p "$dest/build"
mv "$work/wxWidgets-$version" "$dest/src"
(
  cd "$dest/build"
  CFLAGS=$flags CXXFLAGS=$flags CPPFLAGS=$cppflags \
    ../src/configure "${options[@]}" >configure.log 2>&1 || { tail -n 30 configure.log >&2; exit 1; }
  make -j"$(nproc)" "${libraries[@]/#/$PWD/lib/}" >make.log 2>&1 || { tail -n 30 make.log >&2; exit 1; }
)
# What building against it needs: the libraries, the headers, wx-config
# (about 60 of the 260 MB).
rm -f "$dest"/build/*.o
find "$dest/src" -mindepth 1 -maxdepth 1 ! -name include -exec rm -rf {} +
touch "$dest/built"
echo "$config"
