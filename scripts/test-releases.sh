#!/usr/bin/env bash
# Runs the README's test command on other Debian releases, each in a minimal
# chroot made with debootstrap from the archive this machine's apt uses, then
# the package's autopkgtest smoke tests on the package that command built.
# Usage: test-releases.sh [--bench] [RELEASE...]   (default: trixie sid)
#   --bench  runs bench/run.sh after the tests, its table left beside the logs
#
# The chroots (scripts/release-chroot.sh) are kept and brought up to date on
# later runs. Each run works on a clean copy of the tree (its committed and
# untracked files, as git lists them) and leaves the release's logs in
# build-releases/RELEASE/. Prints one summary line per release. Needs root,
# for debootstrap and the mounts.
set -euo pipefail
cd "$(dirname "$0")/.."
source=$PWD

bench=false
if [[ ${1:-} == --bench ]]; then
    bench=true
    shift
fi
releases=("$@")
((${#releases[@]})) || releases=(trixie sid)
logs="$source/build-releases"
mkdir -p "$logs"

source scripts/release-chroot.sh

# The release's summary line: the test command's counts and autopkgtest's.
summary() {
    local counts
    counts=$(grep -ohE '^summary: [0-9]+ passed, [0-9]+ failed' "$1/test.log" 2>/dev/null | tail -n 1)
    [[ -n "$counts" ]] || { echo "summary: none"; return; }
    { grep -hE '^  [a-z0-9-]+ +(PASS|FAIL|SKIP)' "$1/autopkgtest.log" 2>/dev/null || true; } \
        | awk -v counts="$counts" 'BEGIN { split(counts, c, " "); p = c[2]; f = c[4] }
                                   $2 == "PASS" { p++ } $2 == "FAIL" { f++ }
                                   END { printf "summary: %d passed, %d failed\n", p, f }'
}

overall=0
for release in "${releases[@]}"; do
    root="$chroots/$release"
    log="$logs/$release"
    rm -rf "$log"
    mkdir -p "$log"
    start=$SECONDS
    status=0
    {
        ensure_chroot "$release" "$root"
        echo "== copy the tree"
        copy_tree "$source" "$root/build/quelvane"
        echo "== scripts/test.sh"
    } >"$log/setup.log" 2>&1 || status=$?
    setup=$((SECONDS - start))
    if ((status == 0)); then
        in_chroot "$root" 'cd /build/quelvane && scripts/test.sh' >"$log/test.log" 2>&1 || status=$?
        cp -r "$root/build/quelvane/build-tests/logs" "$log/" 2>/dev/null || true
    fi
    if ((status == 0)); then
        in_chroot "$root" 'cd /build/quelvane && tests/packaging/run_autopkgtest.sh build-tests/deb/quelvane_*.changes' \
            >"$log/autopkgtest.log" 2>&1 || status=$?
    fi
    if ((status == 0)) && $bench; then
        in_chroot "$root" 'cd /build/quelvane && bench/run.sh' >"$log/bench.log" 2>&1 || status=$?
        cp "$root/build/quelvane/build-bench/bench-results.md" "$log/" 2>/dev/null || true
    fi
    line=$(summary "$log")
    if ((status == 0)); then
        printf '%-8s ok      %4ds (setup %ds)  %s\n' "$release" $((SECONDS - start)) "$setup" "$line"
    else
        overall=1
        printf '%-8s FAILED  %4ds (setup %ds)  %s\n' "$release" $((SECONDS - start)) "$setup" "$line"
        { tail -n 60 "$log/autopkgtest.log" 2>/dev/null || tail -n 60 "$log/test.log" 2>/dev/null || tail -n 60 "$log/setup.log"; } \
            | sed 's/^/    /'
    fi
done
exit $overall
