#!/usr/bin/env bash
# Builds the Debian package from debian/, checks it and the source package
# with lintian, its control fields, contents and hardening, and runs
# the program from the unpacked package, with and without a data file. The
# package's own build runs the unit and window tests, optimised and without
# sanitizers. The packages, the .changes and the build's log are kept in
# $QUELVANE_DEB_DIR, or else in deb/ of the build folder, for
# tests/packaging/run_autopkgtest.sh and the test command's count.
# Usage: check_deb.sh <source folder> <version> <build folder>
source "$(dirname "$0")/common.sh"

source=$1
version=$2
build=${3:?usage: check_deb.sh <source folder> <version> <build folder>}
need_tool dpkg-buildpackage
need_tool dh
need_tool lintian
need_tool git
need_tool desktop-file-validate
need_tool appstreamcli
need_tool file
need_tool timeout

make_scratch
# Nothing of an earlier build is left beside what this one keeps: the
# .changes names the packages and the .buildinfo.
kept=${QUELVANE_DEB_DIR:-$build/deb}
rm -rf "$kept"
mkdir -p "$kept"
# The package is built the Debian way from a copy of the tree, as
# dpkg-buildpackage writes beside the tree it builds.
tree="$scratch/quelvane"
copy_source "$source" "$tree"
(cd "$tree" && DEB_BUILD_OPTIONS="parallel=$(nproc)" dpkg-buildpackage -us -uc -b) >"$kept/build.log" 2>&1 || {
    tail -n 80 "$kept/build.log" >&2
    fail "dpkg-buildpackage failed"
}

arch=$(dpkg --print-architecture)
deb="$scratch/quelvane_${version}_${arch}.deb"
[[ -f "$deb" ]] || fail "no $(basename "$deb"): $(ls "$scratch")"
[[ -f "$scratch/quelvane-dbgsym_${version}_${arch}.deb" ]] || fail "no debug-symbol package beside $(basename "$deb")"
# Kept whatever the checks below find.
cp "$scratch"/quelvane_*.changes "$scratch"/quelvane_*.buildinfo "$scratch"/quelvane_*.deb "$scratch"/quelvane-dbgsym_*.deb "$kept/"
# The source package too, from a fresh copy: the build above left its
# objects in the tree, which a native source package would take in.
copy_source "$source" "$scratch/source/quelvane"
(cd "$scratch/source" && dpkg-source -b quelvane) >"$scratch/source.log" 2>&1 || {
    cat "$scratch/source.log" >&2
    fail "dpkg-source -b failed"
}
dsc="$scratch/source/quelvane_${version}.dsc"

# lintian leaves a file of its own in its temporary folder; this one goes
# with the scratch folder. Every tag fails, down to the pedantic ones,
# except those overridden with a reason in debian/ and those the lintian of
# later releases gives what is right for Debian 12, which the package is
# built for (debian/README.source): its Standards-Version, its debhelper
# compat level (14 is still in development there), and the Priority and
# Rules-Requires-Root fields, whose values only later dpkg takes as default.
mkdir "$scratch/lintian"
status=0
report=$(TMPDIR="$scratch/lintian" lintian --pedantic -I --fail-on error \
    "$scratch/quelvane_${version}_${arch}.changes" "$dsc" 2>&1) || status=$?
later_releases='^(I: quelvane source: out-of-date-standards-version 4\.6\.2 '
later_releases+='|P: quelvane source: package-uses-old-debhelper-compat-version 13$'
later_releases+='|P: quelvane source: redundant-priority-optional-field '
later_releases+='|P: quelvane source: redundant-rules-requires-root-no-field )'
tags=$(grep -E '^[EWIPX]: ' <<<"$report" | grep -Ev "$later_releases" || true)
if [[ $status -ne 0 || -n "$tags" ]]; then
    echo "$report" >&2
    fail "lintian rejects the package"
fi

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
# libqt6widgets6, libqt6gui6 (which brings the xcb and offscreen platforms
# and the image plugins) and libc6 come from dpkg-shlibdeps; the font is a
# run-time need it cannot see.
for needed in fonts-dejavu-core libqt6widgets6 libqt6gui6 libc6; do
    grep -qx "$needed" <<<"$depends" || fail "Depends lacks $needed: $(field Depends)"
done

# A Wayland session runs the program natively only with the Wayland plugin.
grep -qw qt6-wayland <<<"$(field Recommends)" || fail "Recommends lacks qt6-wayland: $(field Recommends)"

outside=$(dpkg-deb -c "$deb" | awk '{ print $6 }' | grep -v -e '^\./$' -e '^\./usr/' || true)
[[ -z "$outside" ]] || fail "the package installs outside /usr: $outside"

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
check_layout "$root" "$root/usr" "$source"
# debian/copyright names both licences; nothing of the build's own is beside it.
doc="$root/usr/share/doc/quelvane"
cmp "$source/debian/copyright" "$doc/copyright" || fail "$doc/copyright is not debian/copyright"
[[ "$(cd "$doc" && echo *)" == "changelog.gz copyright" ]] || fail "$doc holds $(cd "$doc" && echo *)"
program="$root/usr/bin/quelvane"
readelf -d "$program" | grep -q BIND_NOW || fail "$program is not linked with -z now"
! readelf -d "$program" | grep -qE 'RUNPATH|RPATH' || fail "$program carries a library search path"
expect_alive "$root/usr/bin/quelvane" "$scratch/run.log"

symbols="$root/usr/share/quelvane/kat/symbols.txt"
rm "$symbols"
expect_missing_file_reported "$root/usr/bin/quelvane" "$symbols" "$scratch/missing.log"
echo "$(basename "$deb") is complete and its program starts, and reports a missing data file"
