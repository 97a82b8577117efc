# Helpers shared by the packaging tests; sourced by them, not run alone.
set -euo pipefail

export QT_QPA_PLATFORM=offscreen
readonly APP_ID="io.github.quelvane.Quelvane"
readonly ICON_SIZES=(16 32 48 64 128 256)

fail()
{
    echo "FAIL: $*" >&2
    exit 1
}

need_tool()
{
    command -v "$1" >/dev/null 2>&1 || fail "$1 is not installed (scripts/install-deps.sh test installs it)"
}

# Every test works in its own folder, removed however the test ends. The path
# is made canonical because the program reports files relative to its own
# resolved location, and the tests compare against those reports.
started_pids=()
cleanup()
{
    local pid
    # Each pid is a timeout command, which passes the signal on to the program.
    for pid in "${started_pids[@]}"; do
        kill -TERM "$pid" 2>/dev/null || true
    done
    if [[ -n "${scratch:-}" ]]; then
        rm -rf "$scratch"
    fi
}
# copy_source SOURCE TARGET: the files git lists in the source tree,
# committed or not, less what it ignores, copied into a new folder.
copy_source()
{
    mkdir -p "$2"
    git -C "$1" ls-files -z --cached --others --exclude-standard | (cd "$1" && xargs -0 cp --parents -t "$2")
}

make_scratch()
{
    scratch=$(mktemp -d "${TMPDIR:-/tmp}/quelvane-packaging.XXXXXX")
    trap cleanup EXIT
    scratch=$(cd "$scratch" && pwd -P)
}

# The value of one key of the [Desktop Entry] group.
desktop_key()
{
    local file=$1 key=$2
    sed -n "/^\[Desktop Entry\]/,/^\[/ s/^$key=//p" "$file" | head -n 1
}

# Checks an installed tree: <root> is what / would be, <prefix> the
# installation prefix inside it (<root>/usr for the package).
check_layout()
{
    local root=$1 prefix=$2 source=$3
    local program="$prefix/bin/quelvane"

    [[ -x "$program" ]] || fail "$program is missing or not executable"
    file -b "$program" | grep -q '^ELF' || fail "$program is not an ELF executable: $(file -b "$program")"

    # With kat/ beside the program, it would read that and never the
    # installed share/quelvane, so the check below would prove nothing.
    [[ ! -e "$prefix/bin/kat" ]] || fail "$prefix/bin/kat exists; the data belongs in share/quelvane"

    local desktop="$prefix/share/applications/$APP_ID.desktop"
    [[ -f "$desktop" ]] || fail "$desktop is missing"
    local icon exec
    icon=$(desktop_key "$desktop" Icon)
    exec=$(desktop_key "$desktop" Exec)
    [[ "$icon" == "$APP_ID" ]] || fail "Icon=$icon in $desktop, expected $APP_ID"
    [[ -x "$prefix/bin/${exec%% *}" ]] || fail "Exec=$exec in $desktop does not name the installed program"

    local size png
    for size in "${ICON_SIZES[@]}"; do
        png="$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png"
        [[ -f "$png" ]] || fail "$png is missing"
        file -b "$png" | grep -q "^PNG image data, $size x $size," \
            || fail "$png is not a $size x $size PNG: $(file -b "$png")"
    done

    local metainfo="$prefix/share/metainfo/$APP_ID.metainfo.xml"
    [[ -f "$metainfo" ]] || fail "$metainfo is missing"
    grep -q "<id>$APP_ID</id>" "$metainfo" || fail "$metainfo does not carry the id $APP_ID"
    grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$metainfo" \
        || fail "$metainfo does not launch $APP_ID.desktop"

    local data="$prefix/share/quelvane"
    local folder
    for folder in kat hir; do
        diff -r "$source/data/$folder" "$data/$folder" >&2 \
            || fail "$data/$folder differs from the shipped data/$folder"
    done
    # Nothing but what the program reads: the notes and the licence are not
    # data, and a package keeps documentation in /usr/share/doc.
    local entries
    entries=$(cd "$data" && echo *)
    [[ "$entries" == "hir kat" ]] || fail "$data holds $entries, expected hir kat only"

    desktop_file_is_clean "$desktop"
    appstream_is_clean validate-tree "$root"
}

# appstreamcli validate or validate-tree, failing on any error, warning or
# info; the pedantic hints pass (the one left is the upper-case letter of the
# id, which the reverse-DNS form requires). AppStream before 1.0 (Debian 12)
# does not know the developer element, which 1.0 requires in place of
# developer_name, and reports it as an unknown tag: that one info is let
# through there, and only there.
appstream_is_clean()
{
    local command=$1 target=$2
    local report status=0 allowed='^$'
    report=$(appstreamcli "$command" --no-net --pedantic "$target" 2>&1) || status=$?
    local version
    version=$(appstreamcli --version | sed -n 's/^AppStream version: *//p')
    if [[ "$version" == 0.* ]]; then
        allowed='^I: [^ ]+: unknown-tag developer$'
    fi
    local complaints
    complaints=$(grep -E '^[EWI]: ' <<<"$report" | grep -Ev "$allowed" || true)
    if [[ $status -ne 0 || -n "$complaints" ]]; then
        echo "$report" >&2
        fail "appstreamcli $command rejects $target"
    fi
}

# desktop-file-validate exits 0 on warnings and hints, so any output fails.
desktop_file_is_clean()
{
    local report
    report=$(desktop-file-validate "$1" 2>&1) || fail "desktop-file-validate rejects $1: $report"
    [[ -z "$report" ]] || fail "desktop-file-validate complains about $1: $report"
}

# Starts the program from an unrelated working folder, so that it can only
# find its data through its own location, and expects it still running after
# two seconds: under offscreen a failed start-up exits at once.
expect_alive()
{
    local program=$1 log=$2
    local workdir
    workdir=$(mktemp -d "$scratch/cwd.XXXXXX")
    (cd "$workdir" && exec timeout --kill-after=5 120 "$program") >/dev/null 2>"$log" &
    local pid=$!
    started_pids+=("$pid")
    sleep 2
    if ! kill -0 "$pid" 2>/dev/null; then
        local status=0
        wait "$pid" || status=$?
        cat "$log" >&2
        fail "$program exited with status $status within 2 seconds"
    fi
    kill -TERM "$pid"
    wait "$pid" || true
    if grep -q "cannot start" "$log"; then
        cat "$log" >&2
        fail "$program reported a failed start"
    fi
}

# Starts the program expecting a failed start-up whose message names the
# given file and says it is not found.
expect_missing_file_reported()
{
    local program=$1 missing=$2 log=$3
    local workdir status=0
    workdir=$(mktemp -d "$scratch/cwd.XXXXXX")
    (cd "$workdir" && exec timeout --kill-after=5 30 "$program") >/dev/null 2>"$log" || status=$?
    [[ $status -ne 0 ]] || fail "$program started although $missing is missing"
    [[ $status -ne 124 && $status -ne 137 ]] || fail "$program hung instead of exiting (status $status)"
    grep -F "$missing" "$log" | grep -q "not found" || {
        cat "$log" >&2
        fail "standard error does not say that $missing is not found"
    }
}
