# Minimal Debian systems of other releases for the project's own builds and
# tests, made with debootstrap from the archive this machine's apt uses and
# kept in ${XDG_CACHE_HOME:-~/.cache}/quelvane/chroots/. Sourced by the
# scripts that need one; needs root.
#
# Every mount is made inside a mount and PID namespace of its own (unshare),
# so the kernel takes them all down when the command ends, however it ends:
# a failure, an interrupt or a kill.

chroots="${XDG_CACHE_HOME:-$HOME/.cache}/quelvane/chroots"
mkdir -p "$chroots"

[[ $(id -u) -eq 0 ]] || { echo "$(basename "$0"): needs root (debootstrap, chroot, mounts)" >&2; exit 1; }
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
[[ -n "$mirror" ]] || { echo "$(basename "$0"): no Debian archive in this machine's apt sources" >&2; exit 1; }

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

# in_chroot ROOT COMMAND [HOST_FOLDER:CHROOT_FOLDER...]: runs a shell
# command inside the chroot, with /proc, /sys and /dev of a namespace of its
# own, and each host folder named after the command bound at its place in
# the chroot (what is written there outlives the chroot's run).
in_chroot() {
    local root=$1 command=$2
    shift 2
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    unshare --mount --pid --fork --propagation private bash -euc '
        root=$1
        for bind in "${@:3}"; do
            mkdir -p "${bind%%:*}" "$root/${bind#*:}"
            mount --bind "${bind%%:*}" "$root/${bind#*:}"
        done
        mount -t proc proc "$root/proc"
        mount -t sysfs sysfs "$root/sys"
        mount --rbind /dev "$root/dev"
        mount -t tmpfs tmpfs "$root/tmp"
        mount -t tmpfs tmpfs "$root/dev/shm"
        exec chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 CI="${CI:-}" \
            PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin bash -euc "$2"
    ' in_chroot "$root" "$command" "$@"
}

# ensure_chroot RELEASE ROOT: the release's system at ROOT, made the first
# time, brought up to date every time.
ensure_chroot() {
    local release=$1 root=$2
    if [[ ! -d "$root" ]]; then
        echo "== debootstrap $release from $mirror"
        make_chroot "$release" "$root"
    fi
    echo "== bring $release up to date"
    in_chroot "$root" 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get dist-upgrade -y -qq'
}

# copy_tree SOURCE TARGET: a clean copy of the tree, what git lists,
# committed or not yet, less what it ignores, made a repository of its own
# with that one commit, as a fresh clone would be.
copy_tree() {
    local source=$1 target=$2
    rm -rf "$target"
    mkdir -p "$target"
    git -C "$source" ls-files -z --cached --others --exclude-standard \
        | (cd "$source" && xargs -0 -r sh -c 'for f; do [ -e "$f" ] || [ -L "$f" ] && printf "%s\0" "$f"; done' sh) \
        | (cd "$source" && xargs -0 -r cp --parents -d -t "$target")
    git -C "$target" init -q
    git -C "$target" add -A
    git -C "$target" -c user.name=quelvane -c user.email=quelvane@localhost commit -qm "the tree under test"
}

