#!/usr/bin/env bash
# Cross-builds Quelvane for 64-bit Windows and tests it under Wine, all of it
# inside a Debian 13 (trixie) chroot of its own (scripts/release-chroot.sh,
# in ${XDG_CACHE_HOME:-~/.cache}/quelvane/chroots/trixie-windows), with
# Debian 13's MinGW-w64, host Qt tools and Wine. Leaves one file in
# build-windows/: Quelvane-<version>-windows-x86_64.zip, a folder that runs
# wherever it is unpacked; the screenshots of the Wine checks go to
# build-windows-work/screenshots/.
#
# The Windows Qt is Debian 13's Qt 6.8, built once from Debian 13's source
# package of qt6-base and kept in
# ${XDG_CACHE_HOME:-~/.cache}/quelvane/qt-<version>-x86_64-w64-mingw32.
# Nothing but Debian packages and Debian source packages is downloaded.
#
# Usage: build-windows.sh [--if-cached]
#   --if-cached  builds and checks only when the Windows Qt is already in the
#                cache; otherwise prints one line saying so and exits 0.
# Needs root (debootstrap, chroot, mounts).
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD

release=trixie
qt_series=6.8
qt_build_minutes=60
triplet=x86_64-w64-mingw32

log() { printf '%s  %s\n' "$(date +%H:%M:%S)" "$*"; }

# The plugins the program loads, the one list of them: the zip carries these
# and nothing else from Qt's plugins folder. BMP and PNG are built into
# QtGui; the program reads GIF and JPEG through these plugins and its icon
# through the ICO one.
plugins=(
    platforms/qwindows
    imageformats/qgif
    imageformats/qjpeg
    imageformats/qico
)
# No style plugin: the program asks for Qt's "Windows" style, which is built
# into QtWidgets.

# ---------------------------------------------------------------------------
# Inside the chroot: the build and the checks. The cache folder is the host's
# own, bound into the chroot.
inside() {
    local cache=$1 if_cached=$2
    scripts/install-deps.sh windows

    local toolchain="$top/packaging/windows/mingw-w64-x86_64.cmake"
    local host_cmake_dir="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake"
    local version name work qt
    qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
    [[ $qt_version == "$qt_series".* ]] ||
        { echo "Debian $release's Qt is $qt_version, not $qt_series" >&2; return 1; }
    version=$(sed -n 's/^ *VERSION \([0-9.]*\)$/\1/p' CMakeLists.txt)
    qt="$cache/qt-${qt_version}-$triplet"
    work="$top/build-windows-work"
    name="Quelvane-$version-windows-x86_64"

    if [[ ! -d "$qt" ]]; then
        if $if_cached; then
            echo "windows  skipped: no Windows Qt $qt_version in $cache (scripts/build-windows.sh builds it, about $qt_build_minutes minutes)"
            return 0
        fi
        build_qt "$cache" "$qt" "$toolchain" "$host_cmake_dir"
    else
        log "Windows Qt $qt_version: reusing $qt"
    fi

    log "Quelvane for Windows: building the program, the core tests and the bare window"
    mkdir -p "$work"
    cmake -S . -B "$work" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DQUELVANE_BUILD_BENCHMARKS=ON \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_PREFIX_PATH="$qt" -DCMAKE_FIND_ROOT_PATH="$qt" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" >"$work/configure.log" 2>&1 ||
        { cat "$work/configure.log"; return 1; }
    cmake --build "$work" --target quelvane tst_core bench_quelvane_startup bench_bare_window

    package "$qt" "$work" "$name"
    log "Quelvane for Windows: build-windows/$name.zip ($(du -k "build-windows/$name.zip" | cut -f1) kB)"

    log "Quelvane for Windows: testing under Wine"
    packaging/windows/test-under-wine.sh "$top/build-windows/$name.zip" "$work" "$qt"
    log "Quelvane for Windows: all checks passed"
}

# Debian's source package of qt6-base, of the installed version, from the
# archive apt got it from. A private apt configuration holds the deb-src
# entry, so that the chroot's /etc/apt stays as debootstrap made it.
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
# use: SQL, network, XML, D-Bus, Concurrent, printing, OpenGL, Vulkan, zstd,
# Markdown, and the styles other than the built-in "Windows" one it asks for
# (Fusion, and the Vista and Windows 11 styles of the modernwindows plugin).
# Left out because Debian's source package does not carry its code: tablet
# input (wintab). Direct2D stays on: Qt 6.8's DirectWrite font code does not
# compile without it (its Direct2D platform plugin is built, not shipped).
# The DirectWrite 3 font database is off (Qt counts it absent from MinGW), so
# Qt's default GDI font database is the one used.
qt_features=(
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_xml=OFF -DFEATURE_dbus=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF
    -DFEATURE_tabletevent=OFF -DFEATURE_directwrite3=OFF
    -DFEATURE_zstd=OFF -DFEATURE_pkg_config=OFF -DFEATURE_testlib=ON
    -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF
    -DFEATURE_style_fusion=OFF -DFEATURE_style_windowsvista=OFF -DFEATURE_style_windows11=OFF
    # Qt's own copies of these, compiled into its DLLs, whatever MinGW
    # libraries the chroot happens to hold (Wine brings a MinGW zlib).
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_doubleconversion=OFF
)

build_qt() {
    local cache=$1 qt=$2 toolchain=$3 host_cmake_dir=$4 scratch jobs
    jobs=$(nproc)
    # Kept until the Qt is installed: a build that fails or is interrupted
    # goes on from where it stopped on the next run.
    scratch="$cache/qt-build-$qt_version"
    if [[ ! -f "$scratch/qtbase/.unpacked" ]]; then
        rm -rf "$scratch"
        mkdir -p "$scratch"
        log "Windows Qt $qt_version: fetching Debian's source package"
        fetch_qt_source "$scratch"
        touch "$scratch/qtbase/.unpacked"
    fi
    log "Windows Qt: configuring and building (the first time only; about $qt_build_minutes minutes on two cores)"
    cmake -S "$scratch/qtbase" -B "$scratch/build" -G Ninja -Wno-dev \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
        -DCMAKE_INSTALL_PREFIX="$qt.partial" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        "${qt_features[@]}" >"$scratch/configure.log" 2>&1 ||
        { tail -n 60 "$scratch/configure.log"; return 1; }
    cmake --build "$scratch/build" --parallel "$jobs" >"$scratch/build.log" 2>&1 ||
        { tail -n 40 "$scratch/build.log"; return 1; }
    rm -rf "$qt.partial"
    cmake --install "$scratch/build" >/dev/null
    # What the zip must say of Qt: its licences, where its source is, how it
    # was configured, and which third-party code went into it.
    local notes="$qt.partial/quelvane"
    mkdir -p "$notes"
    cp "$scratch"/qtbase/LICENSES/{LGPL-3.0-only,GPL-3.0-only}.txt "$notes/"
    cp "$scratch/qtbase/debian/copyright" "$notes/copyright.txt"
    printf '%s\n' "$qt_version" "${qt_features[@]}" >"$notes/built-with.txt"
    cp "$scratch/build/config.summary" "$notes/config.summary"
    record_qt_inputs "$scratch/qtbase" "$scratch/build" "$notes"
    mv "$qt.partial" "$qt"
    rm -rf "$scratch"
}

# What went into each DLL of the Windows Qt, for the licences of the
# third-party code in it (packaging/windows/qt_third_party.py): ninja's list
# of each DLL's inputs, the headers the compiler reported for each object,
# and the third-party records (qt_attribution.json) and licence texts of the
# source tree. Raw, so that the reading of them can change without a new
# Qt build.
record_qt_inputs() {
    local source=$1 build=$2 notes=$3 dll
    mkdir -p "$notes/inputs"
    printf 'source=%s\nbuild=%s\n' "$source" "$build" >"$notes/paths.txt"
    (cd "$build" && ninja -t targets all) | sed -n 's/^\(\(bin\|plugins\)\/.*\.dll\): .*LINKER.*/\1/p' |
        while read -r dll; do
            (cd "$build" && ninja -t inputs "$dll") >"$notes/inputs/${dll//\//_}.txt"
        done
    (cd "$build" && ninja -t deps) | gzip >"$notes/deps.txt.gz"
    (cd "$source" &&
        { find . -name qt_attribution.json -print
          find . -name qt_attribution.json -printf '%h\n' | sort -u |
              xargs -I{} find {} -maxdepth 3 -type f \( -iname '*licen[cs]e*' -o -iname '*copying*' \
                  -o -iname '*copyright*' -o -iname '*notice*' -o -iname '*.txt' -o -iname '*.md' \)
          echo LICENSES; } |
        tar -czf "$notes/third-party.tar.gz" -T -)
}

# The folder the learner unpacks: the program, what it loads, its font and
# data, the licences of everything in it; then the zip.
package() {
    local qt=$1 work=$2 name=$3 dist
    runtime() { "$triplet-g++-posix" -print-file-name="$1"; }
    dist="$work/$name"
    rm -rf "$dist"
    mkdir -p "$dist"/{fonts,licences/Qt,licences/runtime,licences/DejaVu}
    cp "$work/Quelvane.exe" "$dist/"
    cp "$qt"/bin/Qt6{Core,Gui,Widgets}.dll "$dist/"
    cp "$(runtime libgcc_s_seh-1.dll)" "$(runtime libstdc++-6.dll)" "$(runtime libwinpthread-1.dll)" "$dist/"
    local plugin
    for plugin in "${plugins[@]}"; do
        mkdir -p "$dist/$(dirname "$plugin")"
        cp "$qt/plugins/$plugin.dll" "$dist/$plugin.dll"
    done
    # Symbols stay in the build tree: the learner's folder needs none.
    find "$dist" -name '*.exe' -o -name '*.dll' | xargs "$triplet-strip" --strip-unneeded
    cp -r data/kat data/hir "$dist/"
    # The font the forms are laid out for, from Debian's fonts-dejavu-core.
    cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$dist/fonts/"
    cp /usr/share/doc/fonts-dejavu-core/copyright "$dist/licences/DejaVu/copyright.txt"
    cp LICENSE "$dist/licences/LICENSE.txt"
    cp data/FONT-LICENSE.txt "$dist/licences/FONT-LICENSE.txt"
    cp "$qt"/quelvane/{LGPL-3.0-only,GPL-3.0-only,copyright,built-with}.txt "$dist/licences/Qt/"
    python3 packaging/windows/qt_third_party.py licences "$qt/quelvane" "$dist"
    cp /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright "$dist/licences/runtime/gcc-copyright.txt"
    cp /usr/share/doc/mingw-w64-x86-64-dev/copyright "$dist/licences/runtime/mingw-w64-copyright.txt"
    cp packaging/windows/README.txt "$dist/"
    sed -i "s/@QT_VERSION@/$qt_version/" "$dist/README.txt"

    rm -rf build-windows
    mkdir build-windows
    (cd "$work" && zip -q -X -r "$top/build-windows/$name.zip" "$name")
}

if [[ ${1:-} == --inside ]]; then
    inside "$2" "$3"
    exit
fi

# ---------------------------------------------------------------------------
# On the host: the chroot, a clean copy of the tree in it, the cache bound
# into it, and the zip and screenshots copied back.
# The whole of it is read before it runs, so that an edit of this file
# during a run cannot reach the run.
on_host() {
    if_cached=false
    [[ ${1:-} == --if-cached ]] && if_cached=true
    cache="${XDG_CACHE_HOME:-$HOME/.cache}/quelvane"
    if $if_cached; then
        shopt -s nullglob
        cached=("$cache"/qt-"$qt_series".*-"$triplet")
        shopt -u nullglob
        if ((${#cached[@]} == 0)); then
            echo "windows  skipped: no Windows Qt $qt_series in $cache (scripts/build-windows.sh builds it, about $qt_build_minutes minutes)"
            return 0
        fi
    fi

    start=$SECONDS
    source scripts/release-chroot.sh
    root="$chroots/$release-windows"
    ensure_chroot "$release" "$root" >/dev/null
    copy_tree "$top" "$root/build/quelvane"
    status=0
    in_chroot "$root" "cd /build/quelvane && scripts/build-windows.sh --inside /var/cache/quelvane $if_cached" \
        "$cache:/var/cache/quelvane" || status=$?
    rm -rf build-windows build-windows-work/screenshots
    mkdir -p build-windows build-windows-work
    cp "$root"/build/quelvane/build-windows/*.zip build-windows/ 2>/dev/null || true
    cp -r "$root/build/quelvane/build-windows-work/screenshots" build-windows-work/ 2>/dev/null || true
    if ((status == 0)); then
        log "done in $(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s"
    fi
    return $status
}
on_host "$@"
exit
