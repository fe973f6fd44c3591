#!/usr/bin/env bash
# Installs the Debian packages Quillane needs that this machine lacks.
#   scripts/dependencies.sh build   what building and running needs
#   scripts/dependencies.sh test    that, and what the tests and the fuzz targets need
set -euo pipefail

# hunspell-en-us: the dictionary pages' fields are spell-checked with when the locale names no other.
# desktop-file-utils: the index through which the desktop finds the link schemes an installed application takes.
build=(g++ cmake make pkg-config libgtk-3-dev libwebkit2gtk-4.1-dev libjson-glib-dev libgtest-dev hunspell-en-us desktop-file-utils)
test=(xvfb xauth openbox xdotool x11-utils wmctrl imagemagick dbus dbus-x11 shared-mime-info libglib2.0-bin zlib1g-dev librsvg2-common appstream dpkg-dev procps
    lintian openssl x11-xserver-utils xserver-xorg-core xserver-xorg-video-dummy clang libclang-rt-14-dev poppler-utils at-spi2-core libatspi2.0-dev)

wanted=("${build[@]}")
[ "${1:-build}" = test ] && wanted+=("${test[@]}")

missing=()
for package in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
