#!/usr/bin/env bash
# Builds the Debian package, checks its control fields and contents, and runs
# the program from the unpacked package, with and without a data file.
# Usage: check_deb.sh <cpack> <build folder> <source folder> <version>
source "$(dirname "$0")/common.sh"

cpack=$1
build=$2
source=$3
version=$4
need_tool dpkg-deb
need_tool dpkg-shlibdeps
need_tool desktop-file-validate
need_tool appstreamcli
need_tool file
need_tool timeout

make_scratch
out="$scratch/out"
"$cpack" -G DEB -B "$out" --config "$build/CPackConfig.cmake" >"$scratch/cpack.log" 2>&1 || {
    cat "$scratch/cpack.log" >&2
    fail "cpack failed"
}

arch=$(dpkg --print-architecture)
shopt -s nullglob
debs=("$out"/*.deb)
[[ ${#debs[@]} -eq 1 ]] || fail "expected one .deb in $out, found: ${debs[*]:-none}"
deb=${debs[0]}
[[ "$(basename "$deb")" == "quelvane_${version}_${arch}.deb" ]] \
    || fail "package is named $(basename "$deb"), expected quelvane_${version}_${arch}.deb"

field()
{
    dpkg-deb -f "$deb" "$1"
}
[[ "$(field Package)" == quelvane ]] || fail "Package: $(field Package)"
[[ "$(field Version)" == "$version" ]] || fail "Version: $(field Version), expected $version"
[[ "$(field Architecture)" == "$arch" ]] || fail "Architecture: $(field Architecture), expected $arch"
[[ "$(field Section)" == education ]] || fail "Section: $(field Section), expected education"
[[ -n "$(field Maintainer)" ]] || fail "the package has no Maintainer"

# Package names only, alternatives and version constraints dropped.
depends=$(field Depends | tr ',|' '\n\n' | sed 's/^ *//; s/[ (].*//' | sort -u)
# libqt6widgets6 and libc6 come from dpkg-shlibdeps; the others are run-time
# needs it cannot see.
for needed in fonts-dejavu-core qt6-qpa-plugins libqt6widgets6 libc6; do
    grep -qx "$needed" <<<"$depends" || fail "Depends lacks $needed: $(field Depends)"
done

# A Wayland session runs the program natively only with the Wayland plugin.
grep -qw qt6-wayland <<<"$(field Recommends)" || fail "Recommends lacks qt6-wayland: $(field Recommends)"

outside=$(dpkg-deb -c "$deb" | awk '{ print $6 }' | grep -v -e '^\./$' -e '^\./usr/' || true)
[[ -z "$outside" ]] || fail "the package installs outside /usr: $outside"

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
check_layout "$root" "$root/usr" "$source"
expect_alive "$root/usr/bin/quelvane" "$scratch/run.log"

symbols="$root/usr/share/quelvane/kat/symbols.txt"
rm "$symbols"
expect_missing_file_reported "$root/usr/bin/quelvane" "$symbols" "$scratch/missing.log"
echo "$(basename "$deb") is complete and its program starts, and reports a missing data file"
