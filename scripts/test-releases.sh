#!/usr/bin/env bash
# Runs the README's test command on other Debian releases, each in a minimal
# chroot made with debootstrap from the archive this machine's apt uses.
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
    if ((status == 0)) && $bench; then
        in_chroot "$root" 'cd /build/quelvane && bench/run.sh' >"$log/bench.log" 2>&1 || status=$?
        cp "$root/build/quelvane/build-bench/bench-results.md" "$log/" 2>/dev/null || true
    fi
    line=$(grep -E '^summary: ' "$log/test.log" 2>/dev/null | tail -n 1 || true)
    if ((status == 0)); then
        printf '%-8s ok      %4ds (setup %ds)  %s\n' "$release" $((SECONDS - start)) "$setup" "${line:-summary: none}"
    else
        overall=1
        printf '%-8s FAILED  %4ds (setup %ds)  %s\n' "$release" $((SECONDS - start)) "$setup" "${line:-summary: none}"
        tail -n 60 "$log/test.log" 2>/dev/null || tail -n 60 "$log/setup.log"
    fi
done
exit $overall
