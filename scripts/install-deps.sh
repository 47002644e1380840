#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Velloran
# need, when any is missing (through sudo when not root). wxWidgets itself is
# built from Debian's source by scripts/build-wx.sh, which needs the line
# from curl to libxtst-dev.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang clang-format libclang-rt-14-dev
  wx3.2-i18n libgtk-3-dev libx11-dev libxdamage-dev
  curl ca-certificates xz-utils libpng-dev libjpeg-dev libexpat1-dev zlib1g-dev libsm-dev libxtst-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils xdotool imagemagick
  fonts-liberation fonts-dejavu-core
  desktop-file-utils appstream dpkg-dev file man-db
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
