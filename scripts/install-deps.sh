#!/usr/bin/env bash
# Installs the Debian 12 packages Quelvane needs, and nothing when they are
# all present already. Usage: install-deps.sh run|test
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev qt6-qpa-plugins qt6-wayland fonts-dejavu-core)
if [[ "${1:-run}" == test ]]; then
    packages+=(xauth xvfb desktop-file-utils appstream dpkg-dev debhelper lintian git file
               clang libclang-rt-14-dev)
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
