#!/usr/bin/env bash
# Tests the Windows build under Wine: the executable's version record, icon
# and imports; the core tests; and the unpacked program on a virtual X
# display, played by keys. Leaves screenshots in <work>/screenshots; fails
# on the first check that does not hold.
# Usage: test-under-wine.sh ZIP WORK_TREE WINDOWS_QT
set -euo pipefail
zip="$(realpath "$1")"
work="$(realpath "$2")"
qt="$(realpath "$3")"
here="$(cd "$(dirname "$0")" && pwd)"
top="$(cd "$here/../.." && pwd)"
wine=/usr/lib/wine/wine64
shots="$work/screenshots"

scratch=$(mktemp -d)
display=""
cleanup() {
    [[ -n "$display" ]] && kill "$xvfb_pid" 2>/dev/null
    WINEPREFIX="$scratch/prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }
step() { printf '  %s\n' "$*"; }

# Wine is started on the display it is to use: a prefix first started
# without one keeps its desktop off screen.
for n in $(seq 90 120); do
    [[ -e /tmp/.X11-unix/X$n ]] || { display=":$n"; break; }
done
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &

export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$wine" wineboot -i >/dev/null 2>&1

# A folder name outside any one code page: the data must be found all the same.
unpacked="$scratch/Zoë 学習"
mkdir -p "$unpacked"
unzip -q "$zip" -d "$unpacked"
folder=$(find "$unpacked" -mindepth 1 -maxdepth 1 -type d)
exe="$folder/Quelvane.exe"

step "version record, icon and imports of Quelvane.exe"
/usr/bin/python3 "$here/check_exe.py" "$exe"

step "core tests"
WINEPATH="$qt/bin;$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)");/usr/x86_64-w64-mingw32/lib" \
    QT_QPA_PLATFORM=offscreen QT_PLUGIN_PATH="$qt/plugins" \
    timeout 300 "$wine" "$work/tst_core.exe" -o "$scratch/tst_core.txt,txt" >/dev/null 2>&1 ||
    { cat "$scratch/tst_core.txt"; fail "the core tests"; }
grep '^Totals' "$scratch/tst_core.txt" | sed 's/^/    /'

step "the program from $unpacked, on a virtual display"

# Waits for a visible window of that exact title; prints its id.
window() {
    local id
    for _ in $(seq "${2:-100}"); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n 1) && [[ -n "$id" ]] && { echo "$id"; return; }
        sleep 0.2
    done
    return 1
}
gone() {
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.2
    done
    return 1
}
visible_count() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l; }
shot() { mkdir -p "$shots"; import -window root "$shots/$1.png"; }
keys() { xdotool key --delay 150 "$@"; sleep 0.5; }

(cd "$folder" && exec "$wine" "$exe") >"$scratch/quelvane.log" 2>&1 &
quelvane=$!
main=$(window Quelvane 600) || { cat "$scratch/quelvane.log"; fail "no main window titled Quelvane"; }
sleep 1
xdotool windowactivate --sync "$main" 2>/dev/null || true

twips() { sed -n "s/.*$1 = \([0-9]*\);.*/\1/p" "$top/windows/form1_layout.h"; }
expected="$(( $(twips kForm1Width) / 15 ))x$(( $(twips kForm1Height) / 15 ))"
size=$(xdotool getwindowgeometry "$main" | sed -n 's/ *Geometry: //p')
[[ "$size" == "$expected" ]] || fail "main window is $size, not $expected"
shot main-window

# Only the syllabic n, in test mode: its answer is known.
keys alt+n alt+t Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab space alt+d
keys n Return
[[ $(visible_count Quelvane) -ge 2 ]] || { shot no-correct-box; fail "a right answer brought no message box"; }
shot correct-answer
keys Return
gone_box() { for _ in $(seq 50); do [[ $(visible_count Quelvane) -eq 1 ]] && return; sleep 0.2; done; return 1; }
gone_box || fail "Enter did not close the message box"

xdotool windowactivate --sync "$main" 2>/dev/null || true
keys x Return
wrong=$(window "Wrong answer" 50) || { shot no-wrong-window; fail "a wrong answer brought no wrong-answer window"; }
shot wrong-answer
keys Return
gone "Wrong answer" || fail "Enter did not close the wrong-answer window"

xdotool windowactivate --sync "$main" 2>/dev/null || true
keys alt+r
shot revealed

# Alt+A moves between "All" and "About"; Space presses the one it reached.
for _ in 1 2; do
    keys alt+a space
    about=$(window "About Quelvane" 10) && break
done
[[ -n "${about:-}" ]] || fail "no About window"
shot about
keys Return
gone "About Quelvane" || fail "Enter did not close the About window"

xdotool windowactivate --sync "$main" 2>/dev/null || true
keys alt+x
for _ in $(seq 100); do kill -0 "$quelvane" 2>/dev/null || break; sleep 0.1; done
kill -0 "$quelvane" 2>/dev/null && fail "Exit did not end the program"
status=0
wait "$quelvane" || status=$?
[[ $status -eq 0 ]] || fail "the program ended with status $status"
step "main window $size, right and wrong answers, Reveal, About, Exit: all as on Linux"

# A data folder that cannot serve: one message naming the file and the
# cause, on standard error and in a box that OK closes, and status 1.
refused() {
    local damage="$1" cause="$2" copy="$scratch/damaged" status=0
    rm -rf "$copy"
    cp -r "$folder" "$copy"
    (cd "$copy" && eval "$damage")
    (cd "$copy" && exec "$wine" Quelvane.exe) >/dev/null 2>"$scratch/stderr" &
    local pid=$!
    window Quelvane 300 >/dev/null || fail "no message box when $cause"
    keys Return
    wait "$pid" || status=$?
    [[ $status -eq 1 ]] || fail "status $status, not 1, when $cause"
    grep -qF "kat\\symbols.txt: $cause" "$scratch/stderr" ||
        { cat "$scratch/stderr"; fail "the message does not name kat\\symbols.txt and \"$cause\""; }
}
refused "rm kat/symbols.txt" "not found"
refused "rm kat/symbols.txt && mkdir kat/symbols.txt" "it is a folder, not a file"
step "a missing list file and a folder in its place: refused with the file named"
