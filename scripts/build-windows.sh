#!/usr/bin/env bash
# Cross-builds Quelvane for 64-bit Windows on Debian 12 and tests it under
# Wine. Leaves one file in build-windows/: Quelvane-<version>-windows-x86_64.zip,
# a folder that runs wherever it is unpacked. The work tree is
# build-windows-work/.
#
# The Windows Qt is the host's own version, built once from Debian's source
# package of qt6-base with Debian's MinGW-w64, and kept in
# ${XDG_CACHE_HOME:-~/.cache}/quelvane/. Nothing but Debian packages and
# Debian source packages is downloaded.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD

scripts/install-deps.sh windows

triplet=x86_64-w64-mingw32
toolchain="$top/packaging/windows/mingw-w64-x86_64.cmake"
host_cmake_dir="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake"
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
version=$(sed -n 's/^ *VERSION \([0-9.]*\)$/\1/p' CMakeLists.txt)
cache="${XDG_CACHE_HOME:-$HOME/.cache}/quelvane"
qt="$cache/qt-${qt_version}-$triplet"
work="$top/build-windows-work"
name="Quelvane-$version-windows-x86_64"
jobs=$(nproc)

log() { printf '%s  %s\n' "$(date +%H:%M:%S)" "$*"; }

# Debian's source package of qt6-base, of the host's version, from the
# archive the machine's apt already uses. A private apt configuration holds
# the deb-src entry, so that /etc/apt is never touched.
fetch_qt_source() {
    local into="$1" apt="$1/apt" archive suite
    read -r archive suite < <(apt-cache policy qt6-base-dev |
        awk -v v="$qt_version" '($1 == "***" && $2 == v) || $1 == v { found = 1; next }
                                 found && $NF == "Packages" { print $2, $3; exit }')
    [[ -n "$archive" ]] || { echo "cannot tell which archive qt6-base-dev $qt_version came from" >&2; return 1; }
    mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial"
    local keyring=/usr/share/keyrings/debian-archive-keyring.gpg
    echo "deb-src [signed-by=$keyring] $archive ${suite%%/*} ${suite#*/}" >"$apt/sources.list"
    local options=(-o Dir::Etc::SourceList="$apt/sources.list" -o Dir::Etc::SourceParts=/nonexistent
                   -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache" -o APT::Sandbox::User=root)
    apt-get -qq "${options[@]}" update
    (cd "$into" && apt-get -qq "${options[@]}" source --download-only "qt6-base=$qt_version")
    dpkg-source -x "$into"/qt6-base_*.dsc "$into/qtbase" >/dev/null
}

# Core, Gui, Widgets and Test, shared, without what the program does not
# use. Left out because Debian's source package does not carry their code:
# tablet input (wintab) and Direct2D (which needs it). The DirectWrite 3 font
# database comes with Direct2D; Qt's default GDI font database is kept.
qt_features=(
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_xml=OFF -DFEATURE_dbus=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF
    -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF
    -DFEATURE_zstd=OFF -DFEATURE_pkg_config=OFF -DFEATURE_testlib=ON
)

build_qt() {
    local scratch
    scratch=$(mktemp -d "$cache/qt-build.XXXXXX")
    trap 'rm -rf "$scratch"' RETURN
    log "Windows Qt $qt_version: fetching Debian's source package"
    fetch_qt_source "$scratch"
    log "Windows Qt: configuring and building (the first time only; long)"
    cmake -S "$scratch/qtbase" -B "$scratch/build" -G Ninja -Wno-dev \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
        -DCMAKE_INSTALL_PREFIX="$qt.partial" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        "${qt_features[@]}" >"$scratch/configure.log"
    cmake --build "$scratch/build" --parallel "$jobs" >"$scratch/build.log" ||
        { tail -n 40 "$scratch/build.log"; return 1; }
    rm -rf "$qt.partial"
    cmake --install "$scratch/build" >/dev/null
    # What the zip must say of Qt: its licences and where its source is.
    mkdir -p "$qt.partial/licences"
    cp "$scratch"/qtbase/LICENSES/{LGPL-3.0-only,GPL-3.0-only}.txt "$qt.partial/licences/"
    cp "$scratch/qtbase/debian/copyright" "$qt.partial/licences/copyright.txt"
    printf '%s\n' "$qt_version" "${qt_features[@]}" >"$qt.partial/licences/built-with.txt"
    mv "$qt.partial" "$qt"
}

if [[ ! -d "$qt" ]]; then
    mkdir -p "$cache"
    build_qt
else
    log "Windows Qt $qt_version: reusing $qt"
fi

log "Quelvane for Windows: building the program and the core tests"
mkdir -p "$work"
cmake -S . -B "$work" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_PREFIX_PATH="$qt" -DCMAKE_FIND_ROOT_PATH="$qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" >"$work/configure.log" 2>&1 ||
    { cat "$work/configure.log"; exit 1; }
cmake --build "$work" --target quelvane tst_core

# The folder the learner unpacks: the program, what it loads, its data, the
# licences. The compiler's runtime comes from the compiler itself.
runtime() { "$triplet-g++-posix" -print-file-name="$1"; }
dist="$work/$name"
rm -rf "$dist"
mkdir -p "$dist"/{platforms,imageformats,styles,licences/Qt,licences/runtime}
cp "$work/Quelvane.exe" "$dist/"
cp "$qt"/bin/Qt6{Core,Gui,Widgets}.dll "$dist/"
cp "$(runtime libgcc_s_seh-1.dll)" "$(runtime libstdc++-6.dll)" "$(runtime libwinpthread-1.dll)" "$dist/"
cp "$qt/plugins/platforms/qwindows.dll" "$dist/platforms/"
cp "$qt"/plugins/imageformats/q{gif,jpeg,ico}.dll "$dist/imageformats/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$dist/styles/"
# Symbols stay in the build tree: the learner's folder needs none.
find "$dist" -name '*.exe' -o -name '*.dll' | xargs "$triplet-strip" --strip-unneeded
cp -r data/kat data/hir "$dist/"
cp LICENSE "$dist/licences/LICENSE.txt"
cp data/FONT-LICENSE.txt "$dist/licences/FONT-LICENSE.txt"
cp "$qt"/licences/* "$dist/licences/Qt/"
cp /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright "$dist/licences/runtime/gcc-copyright.txt"
cp /usr/share/doc/mingw-w64-x86-64-dev/copyright "$dist/licences/runtime/mingw-w64-copyright.txt"
cp packaging/windows/README.txt "$dist/"
sed -i "s/@QT_VERSION@/$qt_version/" "$dist/README.txt"

rm -rf build-windows
mkdir build-windows
(cd "$work" && zip -q -X -r "$top/build-windows/$name.zip" "$name")
log "Quelvane for Windows: build-windows/$name.zip ($(du -k "build-windows/$name.zip" | cut -f1) kB)"

log "Quelvane for Windows: testing under Wine"
packaging/windows/test-under-wine.sh "$top/build-windows/$name.zip" "$work" "$qt"
log "Quelvane for Windows: all checks passed"
