#!/usr/bin/env bash
# Runs the README's test command on other Debian releases, each in a minimal
# chroot made with debootstrap from the archive this machine's apt uses.
# Usage: test-releases.sh [--bench] [RELEASE...]   (default: trixie sid)
#   --bench  runs bench/run.sh after the tests, its table left beside the logs
#
# The chroots are kept in ${XDG_CACHE_HOME:-~/.cache}/quelvane/chroots/ and
# brought up to date on later runs. Each run works on a clean copy of the
# tree (its committed and untracked files, as git lists them) and leaves the
# release's logs in build-releases/RELEASE/. Prints one summary line per
# release. Needs root, for debootstrap and the mounts.
#
# Every mount is made inside a mount and PID namespace of the run's own
# (unshare), so the kernel takes them all down when the run ends, however it
# ends: a failure, an interrupt or a kill.
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
cache="${XDG_CACHE_HOME:-$HOME/.cache}/quelvane/chroots"
logs="$source/build-releases"
mkdir -p "$cache" "$logs"

[[ $(id -u) -eq 0 ]] || { echo "test-releases.sh: needs root (debootstrap, chroot, mounts)" >&2; exit 1; }
if ! command -v debootstrap >/dev/null; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
fi

# The Debian archive (and its security archive) this machine's apt uses.
archive_of() {
    apt-get indextargets --format '$(LABEL)|$(CODENAME)|$(RELEASE)|$(REPO_URI)' \
        | awk -F'|' -v label="$1" '$1 == label && $2 == $3 { print $4; exit }'
}
mirror=$(archive_of Debian)
security=$(archive_of Debian-Security)
[[ -n "$mirror" ]] || { echo "test-releases.sh: no Debian archive in this machine's apt sources" >&2; exit 1; }

# make_chroot RELEASE ROOT: a minimal system of the release, made once.
# Unstable is a moving target whose archive may be served as a snapshot: its
# Release file is still signed and checked, but its Valid-Until date may have
# passed, so that one date is not enforced there. Stable releases keep the
# check.
make_chroot() {
    local release=$1 root=$2
    local partial="$root.partial"
    rm -rf "$partial"
    debootstrap --variant=minbase "$release" "$partial" "$mirror"
    {
        echo "deb $mirror $release main"
        if [[ $release != sid && $release != unstable ]]; then
            echo "deb $mirror $release-updates main"
            [[ -n "$security" ]] && echo "deb $security $release-security main"
        fi
    } >"$partial/etc/apt/sources.list"
    if [[ $release == sid || $release == unstable ]]; then
        echo 'Acquire::Check-Valid-Until "false";' >"$partial/etc/apt/apt.conf.d/99quelvane-snapshot"
    fi
    echo 'APT::Install-Recommends "false";' >"$partial/etc/apt/apt.conf.d/99quelvane-no-recommends"
    mv "$partial" "$root"
}

# in_chroot ROOT COMMAND: runs a shell command inside the chroot, with /proc,
# /sys and /dev of a namespace of its own.
in_chroot() {
    local root=$1 command=$2
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    unshare --mount --pid --fork --propagation private bash -euc '
        root=$1
        mount -t proc proc "$root/proc"
        mount -t sysfs sysfs "$root/sys"
        mount --rbind /dev "$root/dev"
        mount -t tmpfs tmpfs "$root/tmp"
        mount -t tmpfs tmpfs "$root/dev/shm"
        exec chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 CI="${CI:-}" \
            PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin bash -euc "$2"
    ' in_chroot "$root" "$command"
}

# The clean copy of the tree: what git lists, committed or not yet, less
# what it ignores.
copy_tree() {
    local target=$1
    rm -rf "$target"
    mkdir -p "$target"
    git -C "$source" ls-files -z --cached --others --exclude-standard \
        | (cd "$source" && xargs -0 cp --parents -d -t "$target" 2>/dev/null || true)
}

overall=0
for release in "${releases[@]}"; do
    root="$cache/$release"
    log="$logs/$release"
    rm -rf "$log"
    mkdir -p "$log"
    start=$SECONDS
    status=0
    {
        if [[ ! -d "$root" ]]; then
            echo "== debootstrap $release from $mirror"
            make_chroot "$release" "$root"
        fi
        echo "== bring $release up to date"
        in_chroot "$root" 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get dist-upgrade -y -qq'
        echo "== copy the tree"
        copy_tree "$root/build/quelvane"
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
