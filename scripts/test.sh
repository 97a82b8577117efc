#!/usr/bin/env bash
# Installs what is needed, builds Quelvane with its tests and runs them all,
# headless: the test suite (windows, data, packaging) under AddressSanitizer
# and UndefinedBehaviorSanitizer, a short fuzzing run of the list-file
# reader, and the Debian package built, its own run of the suite included:
# every test again, optimised and without the sanitizers. Prints one line per
# stage, the detail of a stage only when it fails, and a summary line that
# counts every test that ran. Full logs are in build-tests/logs/.
set -euo pipefail
cd "$(dirname "$0")/.."

export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"
logs="build-tests/logs"
mkdir -p "$logs"
passed=0
failed=0

# stage NAME COMMAND...: runs the command with its output in the stage's
# log, and prints what ran, how long it took and how it ended.
stage() {
    run_stage "$@" || stage_failed "$1"
}

run_stage() {
    local name="$1"
    shift
    local log="$logs/$name.log"
    local start=$SECONDS
    if "$@" >"$log" 2>&1; then
        printf '%-10s ok      %4ds  %s\n' "$name" $((SECONDS - start)) "$(summary "$log")"
    else
        printf '%-10s FAILED  %4ds  %s\n' "$name" $((SECONDS - start)) "$(summary "$log")"
        return 1
    fi
}

stage_failed() {
    local log="$logs/$1.log"
    echo "---- last lines of $log ----"
    tail -n 80 "$log"
    # The tests that ran count as they ended; a stage that failed before any
    # test ran counts as one failure.
    local before=$failed
    count_stage "$1"
    ((failed > before)) || failed=$((failed + 1))
    echo "summary: $passed passed, $failed failed"
    exit 1
}

# background_stage NAME COMMAND...: runs a stage while the next ones run,
# since much of it keeps only one core busy (the package build's configure,
# packaging and lintian steps; the fuzzer runs on one core too). It has a
# process group of its own, so that a failing or interrupted run ends it
# too. wait_stage waits for it and prints its line.
background=""
background_stage() {
    set -m
    run_stage "$@" >"$logs/$1.line" &
    background=$!
    set +m
}

wait_stage() {
    local status=0
    wait "$background" || status=$?
    background=""
    cat "$logs/$1.line"
    ((status == 0)) || stage_failed "$1"
}

end_background() {
    if [[ -n "$background" ]]; then
        kill -TERM -- "-$background" 2>/dev/null || true
        wait "$background" 2>/dev/null || true
    fi
}
trap end_background EXIT

# The one line a stage's log is summed up by.
summary() {
    grep -hE 'tests passed, [0-9]+ tests failed|^Done [0-9]+ runs' "$1" | tail -n 1 || true
}

# Adds the counts of a stage's tests to the run's: those of its log, and for
# the package those of its build's own run of the suite.
count_stage() {
    count_ctest "$logs/$1.log"
    [[ $1 != package ]] || count_ctest build-tests/deb/build.log
}

# Adds the counts of a ctest log to the run's.
count_ctest() {
    local line total bad
    line=$(grep -E 'tests failed out of [0-9]+' "$1" 2>/dev/null | tail -n 1 || true)
    [[ -z "$line" ]] && return
    total=${line##* }
    bad=$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
}

rm -rf build-tests/deb
stage install scripts/install-deps.sh test

# The Debian package is built from a copy of the tree with Debian's own
# flags, and its build runs the whole suite once more, optimised and without
# the sanitizers (build-tests/deb/build.log). It needs only a configured tree
# of its own (with a scratch folder of its own), so it runs beside everything
# that follows.
# The sanitizer and fuzzing builds compile the same sources on every run, so
# they go through the compiler cache; paths below the tree are hashed
# relative to it, so that a fresh clone anywhere finds what an earlier one
# compiled. (The package is built as Debian builds it, without.)
export CCACHE_BASEDIR=$PWD

stage configure cmake -S . -B build-tests -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON
background_stage package ctest --test-dir build-tests --output-on-failure -R '^packaging_deb$'

# The suite, with AddressSanitizer and UndefinedBehaviorSanitizer watching
# every test. The program tests' scaled reruns are left out here, since
# LeakSanitizer's own tracer thread has crashed (signal 11) on one of glib's
# threads at their exit, a fault of the sanitizer, not of the program; they
# run in the package's pass.
stage build bash -c 'cmake -S . -B build-tests-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON \
    -DQUELVANE_SANITIZE=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache && cmake --build build-tests-asan'
stage tests env ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-tests-asan --output-on-failure -j "$jobs" -E '^(packaging_deb|tst_program_at_.*)$'
count_stage tests

# The fuzzer grows its corpus as it goes; it works on a copy in its build
# folder, so that only the seeds under tests/fuzz/corpus-* stay in the tree. Inputs that break
# a target are kept in build-tests-fuzz/findings.
# (A stage runs its command as an if condition, where set -e does not hold.)
fuzz() {
    cmake -S . -B build-tests-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DBUILD_TESTING=OFF \
        -DQUELVANE_FUZZ=ON || return 1
    cmake --build build-tests-fuzz --target fuzz_entry_reader fuzz_picture_structure fuzz_read_picture || return 1
    mkdir -p build-tests-fuzz/findings
    local status=0
    # target, seeds, dictionary, then its own bounds: a picture the toolkit
    # decodes within the program's bounds takes well under a second and
    # 32 MiB at once, so more of either is a finding.
    run_fuzzer() {
        local target=$1 seeds=$2 dict=$3
        shift 3
        local corpus=build-tests-fuzz/corpus-$target
        rm -rf "$corpus" && mkdir "$corpus" && cp "tests/fuzz/$seeds"/* "$corpus/" || return 1
        QT_QPA_PLATFORM=offscreen build-tests-fuzz/tests/fuzz/$target -max_total_time=20 -dict="tests/fuzz/$dict" \
            -artifact_prefix=build-tests-fuzz/findings/$target- "$@" "$corpus" || {
            echo "The fuzzer found an input that breaks $target: build-tests-fuzz/findings/"
            return 1
        }
    }
    run_fuzzer fuzz_entry_reader corpus-list entry_reader.dict -max_len=4096 -timeout=10 -rss_limit_mb=2048 || status=1
    run_fuzzer fuzz_picture_structure corpus-picture picture.dict -max_len=65536 -timeout=1 -rss_limit_mb=512 || status=1
    run_fuzzer fuzz_read_picture corpus-picture picture.dict -max_len=65536 -timeout=2 -rss_limit_mb=1536 \
        -malloc_limit_mb=48 || status=1
    return $status
}
stage fuzz fuzz

wait_stage package
count_stage package

echo "summary: $passed passed, $failed failed"
