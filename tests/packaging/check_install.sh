#!/usr/bin/env bash
# Installs the build into a scratch prefix, checks the layout and starts the
# installed program.
# Usage: check_install.sh <cmake> <build folder> <source folder>
source "$(dirname "$0")/common.sh"

cmake=$1
build=$2
source=$3
need_tool desktop-file-validate
need_tool appstreamcli
need_tool file
need_tool timeout

make_scratch
root="$scratch/root"
prefix="$root/usr"
"$cmake" --install "$build" --prefix "$prefix" >"$scratch/install.log" 2>&1 || {
    cat "$scratch/install.log" >&2
    fail "cmake --install failed"
}

check_layout "$root" "$prefix" "$source"
# Installed without a package, the program brings its licence and the font's;
# the name copyright is left to a package's own copyright file.
doc="$prefix/share/doc/quelvane"
cmp "$source/LICENSE" "$doc/LICENSE" || fail "$doc/LICENSE differs from LICENSE"
cmp "$source/data/FONT-LICENSE.txt" "$doc/FONT-LICENSE.txt" || fail "$doc/FONT-LICENSE.txt differs from data/FONT-LICENSE.txt"
[[ ! -e "$doc/copyright" ]] || fail "$doc/copyright is installed; that name belongs to a package's copyright file"
expect_alive "$prefix/bin/quelvane" "$scratch/run.log"
echo "installed layout is complete and the installed program starts"
