#!/usr/bin/env bash
# Installs the Debian packages (12, 13 or unstable) Quelvane needs, and nothing when they are
# all present already. Usage: install-deps.sh run|test|bench|windows
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev libxcb1-dev qt6-wayland fonts-dejavu-core)
if [[ "${1:-run}" == test ]]; then
    packages+=(qt6-base-private-dev xauth xvfb desktop-file-utils appstream dpkg-dev debhelper lintian git file
               clang libclang-rt-dev build-essential ccache)
    # The round on a desktop with a screen reader's bus (tests/atspi_round.py):
    # a window manager, X tools, a session bus without the system one, the
    # accessibility bus and registry, and Debian's Python binding to them.
    packages+=(openbox xdotool x11-utils dbus-daemon at-spi2-core python3-pyatspi)
fi
if [[ "${1:-run}" == bench ]]; then
    packages+=(valgrind xauth xvfb)
fi
if [[ "${1:-run}" == windows ]]; then
    # The cross compiler, the host Qt tools the Windows Qt is built with, the
    # tools that unpack Debian's source package, Wine to test the result.
    packages+=(g++-mingw-w64-x86-64-posix qt6-base-dev-tools dpkg-dev xz-utils perl
               wine64 python3-pefile zip unzip xauth xvfb x11-utils openbox xdotool imagemagick)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
