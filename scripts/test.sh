#!/usr/bin/env bash
# Installs what is needed, builds Quelvane with its tests and runs them all,
# headless; then fuzzes the list-file reader for a minute and runs the tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs="$(nproc)"
export QT_QPA_PLATFORM=offscreen

scripts/install-deps.sh test

echo "== Tests"
cmake -S . -B build-tests -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON >/dev/null
cmake --build build-tests
ctest --test-dir build-tests --output-on-failure -j "$jobs"

# The fuzzer grows its corpus as it goes; it works on a copy, so that only
# the seeds under tests/fuzz/corpus stay in the tree. Inputs that break the
# reader are kept in build-tests-fuzz/findings.
echo "== Fuzzing the list-file reader"
cmake -S . -B build-tests-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DBUILD_TESTING=OFF -DQUELVANE_FUZZ=ON >/dev/null
cmake --build build-tests-fuzz --target fuzz_entry_reader
corpus="$(mktemp -d)"
trap 'rm -rf "$corpus"' EXIT
cp tests/fuzz/corpus/* "$corpus/"
mkdir -p build-tests-fuzz/findings
if ! build-tests-fuzz/tests/fuzz/fuzz_entry_reader \
        -max_total_time=60 -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
        -dict=tests/fuzz/entry_reader.dict \
        -artifact_prefix=build-tests-fuzz/findings/ \
        -print_final_stats=1 \
        "$corpus"; then
    echo "The fuzzer found an input that breaks the list-file reader:" >&2
    ls -l build-tests-fuzz/findings >&2
    exit 1
fi

# The same tests with the sanitizers. The soak test is left out: under
# AddressSanitizer it takes several minutes and its memory bound means
# nothing there. The packaging tests only install and package what the
# first pass has already checked.
echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-tests-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DQUELVANE_SANITIZE=ON >/dev/null
cmake --build build-tests-asan
ASAN_OPTIONS=detect_leaks=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-tests-asan --output-on-failure -j "$jobs" -LE '^(packaging|soak)$'
