#!/usr/bin/env bash
# Installs the Debian 12 packages that building, playing and testing need, when any is missing:
# without an argument what the game and its art program need, with "test" also what the tests run in.
set -euo pipefail

# fonts-wqy-microhei draws the names in Chinese, Japanese and Korean that the design faces lack.
packages=(cmake ninja-build g++ qt6-base-dev qt6-qpa-plugins fonts-liberation2 fonts-dancingscript fonts-wqy-microhei)
if [ "${1:-}" = test ]; then
  packages+=(xvfb openbox x11-utils x11-xkb-utils xdotool g++-mingw-w64-x86-64-posix wine wine64 clang
    libclang-rt-14-dev at-spi2-core dbus python3-pyatspi imagemagick desktop-file-utils appstream dpkg-dev file
    lintian man-db libxcb-damage0-dev)
fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
