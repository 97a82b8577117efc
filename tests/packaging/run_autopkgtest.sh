#!/usr/bin/env bash
# Runs the package's autopkgtest smoke tests (debian/tests) on built packages,
# with this source tree, on the system it runs on (autopkgtest's null
# runner). That installs quelvane and the tests' dependencies, so run it as
# root in a system you can throw away, such as a chroot of the release to
# test; it installs autopkgtest first if missing, and purges quelvane again
# afterwards, whatever the outcome. The tests' own dependencies (xvfb...)
# stay installed.
# Usage: run_autopkgtest.sh DEB|CHANGES...
#   e.g. run_autopkgtest.sh build-tests/deb/quelvane_*.changes
#   (tests/packaging/check_deb.sh leaves the packages there)
# The logs go to $QUELVANE_AUTOPKGTEST_OUTPUT if set (a folder that does not
# exist yet or is empty); autopkgtest prints the tests' output anyway.
# Exits with 0 when every test passed, else with autopkgtest's status: 2 some
# skipped, 4 some failed, 8 none ran, 12 and up trouble with the testbed or
# the packages.
set -euo pipefail

fail()
{
    echo "run_autopkgtest.sh: $*" >&2
    exit 1
}

[[ $# -ge 1 ]] || fail "usage: run_autopkgtest.sh DEB|CHANGES..."
[[ $(id -u) -eq 0 ]] || fail "run as root, in a system that may be changed (a chroot): it installs packages"
packages=()
for package in "$@"; do
    [[ -f "$package" ]] || fail "no such file: $package"
    case "$package" in
        *.deb | *.changes) packages+=("$(realpath "$package")") ;;
        *) fail "not a .deb or .changes: $package" ;;
    esac
done
source_dir=$(cd "$(dirname "$0")/../.." && pwd -P)
[[ -f "$source_dir/debian/tests/control" ]] || fail "no debian/tests/control in $source_dir"

if ! command -v autopkgtest >/dev/null 2>&1; then
    echo "Installing autopkgtest"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends autopkgtest
fi

# autopkgtest copies the source tree into the testbed; the tree as git knows
# it is enough, without build folders of hundreds of megabytes.
work=$(mktemp -d "${TMPDIR:-/tmp}/quelvane-autopkgtest.XXXXXX")
purge()
{
    local state
    state=$(dpkg-query -W -f='${db:Status-Status}' quelvane 2>/dev/null || true)
    if [[ -n "$state" && "$state" != not-installed ]]; then
        echo "Purging quelvane"
        DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq quelvane >/dev/null || dpkg --purge quelvane
    fi
    rm -rf "$work"
}
trap purge EXIT
tree="$work/quelvane"
mkdir "$tree"
if command -v git >/dev/null 2>&1 && git -C "$source_dir" rev-parse --git-dir >/dev/null 2>&1; then
    git -C "$source_dir" ls-files -z --cached --others --exclude-standard \
        | (cd "$source_dir" && xargs -0 cp --parents -t "$tree")
else
    (cd "$source_dir" && tar --exclude='./build' --exclude='./build-*' -cf - .) | tar -C "$tree" -xf -
fi

status=0
summary="$work/summary"
autopkgtest --summary-file "$summary" --output-dir "${QUELVANE_AUTOPKGTEST_OUTPUT:-$work/output}" \
    "${packages[@]}" "$tree" -- null || status=$?
echo "autopkgtest summary:"
sed 's/^/  /' "$summary" 2>/dev/null || true
# Every test of debian/tests is superficial (a smoke test), and autopkgtest
# exits with 8, as for a package without tests, when no other kind ran; that
# is a pass here when every test of the summary passed.
if [[ $status -eq 8 && -s "$summary" ]] && ! grep -qv ' PASS (superficial)$' "$summary"; then
    echo "autopkgtest: all $(wc -l <"$summary") tests passed (all superficial, hence its status 8)"
    exit 0
fi
case $status in
    0) echo "autopkgtest: all tests passed" ;;
    2) echo "autopkgtest: passed, some tests skipped" ;;
    *) echo "autopkgtest: exit status $status (4: a test failed; 8: no tests ran; 12 and up: package or testbed trouble)" >&2 ;;
esac
exit "$status"
