#!/usr/bin/env bash
# Builds a Release tree and runs every benchmark, printing one Markdown table
# of figures with the machine they were measured on. A missed target shows in
# the table; it never makes this script fail.
#
# Usage: bench/run.sh [--quick] [--xcb]
#   --quick  a few iterations only, to see that every benchmark runs
#   --xcb    the X11 platform under a virtual X server (Xvfb) instead of the
#            offscreen platform; offscreen is the default, being the more
#            repeatable of the two
# The build folder is build-bench, or $BENCH_BUILD_DIR. The full run takes a
# few minutes, most of them the soak's hundred thousand questions.
set -euo pipefail
cd "$(dirname "$0")/.."

quick=false
platform=offscreen
for argument in "$@"; do
    case "$argument" in
        --quick) quick=true ;;
        --xcb) platform=xcb ;;
        *) echo "usage: bench/run.sh [--quick] [--xcb]" >&2; exit 2 ;;
    esac
done

scripts/install-deps.sh bench
build=${BENCH_BUILD_DIR:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DQUELVANE_BUILD_BENCHMARKS=ON >/dev/null
cmake --build "$build" >/dev/null

if $quick; then
    startup_args=(--runs 2 --warmup 0)
    question_args=(--iterations 100)
    sharpness_args=(--kana 5)
    soak_args=(--questions 2000 --warmup 500)
    catalogue_args=(--runs 20)
    pictures_args=(--runs 1)
else
    startup_args=(--runs 30 --warmup 3)
    question_args=(--iterations 10000)
    sharpness_args=(--kana 20)
    soak_args=(--questions 100000 --warmup 5000)
    catalogue_args=(--runs 1000)
    pictures_args=(--runs 5)
fi

export QT_QPA_PLATFORM=$platform
wrap=()
if [[ $platform == xcb ]]; then
    if ! command -v xvfb-run >/dev/null; then
        echo "--xcb needs the packages xvfb and xauth (scripts/install-deps.sh test installs them)" >&2
        exit 2
    fi
    wrap=(xvfb-run -a -s "-screen 0 1280x1024x24")
fi
# Qt warns on every start when there is no runtime folder; a private one
# keeps the table readable.
if [[ -z ${XDG_RUNTIME_DIR:-} ]]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
    trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi

bench=$build/bench

# Instructions one start takes, which repeat where times do not.
instructions() {
    "${wrap[@]}" valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 \
        | sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}
millions() {
    awk -v n="$1" 'BEGIN { printf "%.1f", n / 1e6 }'
}
{
    echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(nproc) cores;" \
         "$(. /etc/os-release && echo "$PRETTY_NAME"), kernel $(uname -r);" \
         "Qt $(dpkg-query -W -f='${Version}' 'libqt6core6*' 2>/dev/null || echo '?');" \
         "$(g++ --version | head -n1), Release; platform $platform"
    echo
    echo "| benchmark | median | spread | runs | target | verdict |"
    echo "|---|---|---|---|---|---|"
    "${wrap[@]}" "$bench/bench_startup" "${startup_args[@]}"
    quelvane=$(instructions "$bench/bench_quelvane_startup")
    bare=$(instructions "$bench/bench_bare_window")
    printf '| Start-up instructions (callgrind), Quelvane / one-label window | %s / %s million (%sx) | | 1 | | |\n' \
        "$(millions "$quelvane")" "$(millions "$bare")" "$(awk -v a="$quelvane" -v b="$bare" 'BEGIN { printf "%.2f", a / b }')"
    "${wrap[@]}" "$bench/bench_question" "${question_args[@]}"
    # Scale 1 is the pictures' own anti-aliasing, the floor of the figure.
    for scale in 1 2; do
        "${wrap[@]}" "$bench/bench_sharpness" --scale "$scale" "${sharpness_args[@]}"
    done
    "${wrap[@]}" "$bench/bench_soak" "${soak_args[@]}"
    "$bench/bench_catalogue" "${catalogue_args[@]}"
    "$bench/bench_pictures" "${pictures_args[@]}"
} | tee "$build/bench-results.md"
