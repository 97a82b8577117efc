#!/usr/bin/env bash
# Tests the Windows build under Wine: the executable's version record, icon
# and imports, and the Qt version it carries; the licences against what is
# compiled in; the core tests; the unpacked program on a virtual X display,
# played by keys, at 100 % and at 150 % (where the pictures must come from
# their @2x files); and, last, the start-up time against a bare Qt window,
# measured, never judged. Leaves screenshots in <work>/screenshots; fails on
# the first check that does not hold.
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

qt_series=$(basename "$qt" | sed -n 's/^qt-\([0-9]*\.[0-9]*\)\..*/\1/p')
step "version record, icon and imports of Quelvane.exe, and the Qt it carries"
/usr/bin/python3 "$here/check_exe.py" "$exe" "$qt_series"

step "licences: each piece of third-party code compiled into Qt, and the font"
/usr/bin/python3 "$here/qt_third_party.py" check "$qt/quelvane" "$folder"
fonts=$(cd "$folder" && ls fonts)
[[ "$fonts" == DejaVuSans.ttf ]] || fail "fonts/ holds \"$fonts\", not DejaVuSans.ttf alone"
grep -q "DejaVu" "$folder/licences/DejaVu/copyright.txt" || fail "no DejaVu licence in licences/DejaVu"
echo "    fonts/DejaVuSans.ttf with licences/DejaVu/copyright.txt"

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

(cd "$folder" && exec "$wine" "$exe") >"$scratch/quelvane.log" 2>"$scratch/quelvane.err" &
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
grep -q "cannot load fonts" "$scratch/quelvane.err" && { cat "$scratch/quelvane.err"; fail "the program did not load its font"; }

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

# The font the forms are laid out for comes from fonts/ beside the program:
# without that folder the program says so, and still starts.
step "without fonts\\DejaVuSans.ttf: named on standard error, the program still starts"
copy="$scratch/no-font"
rm -rf "$copy"
cp -r "$folder" "$copy"
rm -r "$copy/fonts"
(cd "$copy" && exec "$wine" Quelvane.exe) >/dev/null 2>"$scratch/no-font.err" &
pid=$!
main=$(window Quelvane 300) || fail "no main window without fonts/"
xdotool windowactivate --sync "$main" 2>/dev/null || true
keys alt+x
wait "$pid" || true
grep -q 'cannot load fonts\\DejaVuSans.ttf' "$scratch/no-font.err" ||
    { cat "$scratch/no-font.err"; fail "a missing font went unmentioned"; }

# ---------------------------------------------------------------------------
# At 150 % (144 dots per inch) each picture must be drawn from its @2x file.
# Told apart on the screen: the @2x picture scaled to the device pixels it
# covers, as the program does, against the picture itself blown up to that
# size, as it would be drawn without its twin, both scaled by this Qt's own
# code on Linux (scale_like_qt). The region of the screenshot must be much
# nearer the first; both distances are printed.
step "at 150 %: the pictures from their @2x files"
qt_include=/usr/include/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/qt6
g++ -std=c++17 -O1 -fPIC -I"$qt_include" -I"$qt_include/QtCore" -I"$qt_include/QtGui" \
    "$here/scale_like_qt.cpp" -o "$scratch/scale_like_qt" -lQt6Gui -lQt6Core
# Wine reads the setting as its server starts: the server is let end first.
"$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
timeout 60 /usr/lib/wine/wineserver -w || /usr/lib/wine/wineserver -k
mkdir -p "$shots"

# nearer_twin NAME SHOT REGION ONE TWO WIDTH HEIGHT BLOW [CROP [BACKGROUND]]: whether
# REGION of SHOT (WxH+X+Y) holds TWO scaled to WIDTH x HEIGHT rather than ONE
# scaled so (BLOW: smooth, or nearest as the painter does for a picture left
# as it is), searched for anywhere in the region. CROP cuts both candidates
# down to a part of them first.
nearer_twin() {
    local name=$1 shot=$2 region=$3 one=$4 two=$5 width=$6 height=$7 blow=$8 crop=${9:-} background=${10:-}
    local d="$scratch/dpi"
    mkdir -p "$d"
    "$scratch/scale_like_qt" "$two" "$d/$name-twin.png" "$width" "$height" smooth
    "$scratch/scale_like_qt" "$one" "$d/$name-one.png" "$width" "$height" "$blow"
    convert "$shot" -crop "$region" +repage "$d/$name-shot.png"
    # A transparent picture shows the window behind it: the colour at the
    # region's point BACKGROUND (X,Y).
    if [[ -n "$background" ]]; then
        local colour
        colour=$(convert "$d/$name-shot.png" -format "%[pixel:p{$background}]" info:)
        mogrify -background "$colour" -flatten "$d/$name-twin.png" "$d/$name-one.png"
    fi
    if [[ -n "$crop" ]]; then
        mogrify -crop "$crop" +repage "$d/$name-twin.png" "$d/$name-one.png"
    fi
    local twin single
    twin=$(compare -dissimilarity-threshold 1 -metric RMSE -subimage-search "$d/$name-shot.png" "$d/$name-twin.png" null: 2>&1 | awk '{ print $1 }')
    single=$(compare -dissimilarity-threshold 1 -metric RMSE -subimage-search "$d/$name-shot.png" "$d/$name-one.png" null: 2>&1 | awk '{ print $1 }')
    distances=$(printf '    %-13s distance to the @2x picture %8.1f, to the picture blown up %8.1f' "$name" "$twin" "$single")
    awk -v t="$twin" -v s="$single" 'BEGIN { exit !(t < 0.5 * s) }'
}
drawn_from_twin() {
    nearer_twin "$@" || { echo "$distances"; fail "at 150 % the $1 picture is not the one drawn from its @2x file"; }
    echo "$distances"
}

(cd "$folder" && exec "$wine" "$exe") >/dev/null 2>&1 &
quelvane=$!
main=$(window Quelvane 600) || fail "no main window at 150 %"
sleep 1
xdotool windowactivate --sync "$main" 2>/dev/null || true
# The window is 1.5 times its size at 100 %.
size=$(xdotool getwindowgeometry "$main" | sed -n 's/ *Geometry: //p')
width=$(( $(twips kForm1Width) * 3 / 30 )) height=$(( $(twips kForm1Height) * 3 / 30 ))
(( ${size%x*} >= width - 1 && ${size%x*} <= width + 1 && ${size#*x} >= height - 1 && ${size#*x} <= height + 1 )) ||
    fail "main window at 150 % is $size, not about ${width}x$height"
# The kana window's frame: 2400, 0, 1575 x 1335 twips.
frame="$(( 1575 * 3 / 30 ))x$(( 1335 * 3 / 30 ))+$(( 2400 * 3 / 30 ))+0"

# The syllabic n in test mode, as at 100 %.
keys alt+n alt+t Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab space alt+d
import -window "$main" "$shots/150-kana.png"
drawn_from_twin kana "$shots/150-kana.png" "$frame" "$folder/kat/n.gif" "$folder/kat/n@2x.gif" 72 72 nearest

keys x Return
wrong=$(window "Wrong answer" 50) || fail "no wrong-answer window at 150 %"
sleep 0.5
import -window "$wrong" "$shots/150-wrong-answer.png"
# Its top part, clear of the button.
# The window's picture fills it: 3375 x 5250 twips.
drawn_from_twin wrong-answer "$shots/150-wrong-answer.png" 230x230+0+0 \
    "$top/resources/wrong.jpg" "$top/resources/wrong@2x.jpg" 338 525 smooth 200x200+15+15
keys Return
gone "Wrong answer" || fail "Enter did not close the wrong-answer window at 150 %"

xdotool windowactivate --sync "$main" 2>/dev/null || true
for _ in 1 2; do
    keys alt+a space
    about=$(window "About Quelvane" 10) && break
done
[[ -n "${about:-}" ]] || fail "no About window at 150 %"
sleep 0.5
import -window "$about" "$shots/150-about.png"
# 4785 x 6660 twips.
drawn_from_twin about "$shots/150-about.png" 230x230+0+0 \
    "$top/resources/about.jpg" "$top/resources/about@2x.jpg" 479 666 smooth 200x200+15+15
keys Return
gone "About Quelvane" || fail "Enter did not close the About window at 150 %"

# A doubled hiragana brings the small tsu, stretched to its control (270 x
# 180 twips), transparent over the window: only the hiragana column (its
# "+" button, clicked), doubles on, test mode off.
xdotool windowactivate --sync "$main" 2>/dev/null || true
keys alt+n alt+t alt+s
# The "+" of "Display Hira": 1200 + 720, 0 + 480 twips, 255 square.
xdotool mousemove --window "$main" $(( (1920 + 127) * 3 / 30 )) $(( (480 + 127) * 3 / 30 )) click 1
sleep 0.5
# Whether a hiragana comes doubled is drawn by lot: up to 20 kana, until the
# small tsu shows (all 20 single: one chance in a million).
tsu=false
for _ in $(seq 20); do
    keys alt+d
    import -window "$main" "$shots/150-small-tsu.png"
    nearer_twin small-tsu "$shots/150-small-tsu.png" "$frame" \
        "$top/resources/small_tsu.gif" "$top/resources/small_tsu@2x.gif" 27 18 smooth "" 8,120 &&
        { tsu=true; break; }
done
echo "$distances"
$tsu || fail "at 150 % no small tsu drawn from its @2x file in 20 hiragana"
keys alt+x
for _ in $(seq 100); do kill -0 "$quelvane" 2>/dev/null || break; sleep 0.1; done
kill -0 "$quelvane" 2>/dev/null && fail "Exit did not end the program at 150 %"
wait "$quelvane" || true
"$wine" reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
timeout 60 /usr/lib/wine/wineserver -w || /usr/lib/wine/wineserver -k

# ---------------------------------------------------------------------------
# Start-up, measured and printed, never judged: the program up to its first
# painted main window against a bare window of the same Qt (the same set-up,
# one line of text), both started from the unpacked folder, alternately,
# seven times each; the medians. Both include Wine's own start of a process.
step "start-up under Wine (median of 7, to the first painted window)"
cp "$work/bench_quelvane_startup.exe" "$work/bench_bare_window.exe" "$folder/"
x86_64-w64-mingw32-strip --strip-unneeded "$folder"/bench_*.exe 2>/dev/null || true
started() {
    local t0 t1
    t0=$(date +%s%N)
    (cd "$folder" && timeout 60 "$wine" "$1" >/dev/null 2>&1) || return 1
    t1=$(date +%s%N)
    echo $(( (t1 - t0) / 1000000 ))
}
# One of each first, uncounted: Wine's first start of a program is slower.
started bench_quelvane_startup.exe >/dev/null || fail "the start-up benchmark did not end"
started bench_bare_window.exe >/dev/null || fail "the bare window did not end"
program=() bare=()
for _ in 1 2 3 4 5 6 7; do
    program+=("$(started bench_quelvane_startup.exe)") || fail "the start-up benchmark did not end"
    bare+=("$(started bench_bare_window.exe)") || fail "the bare window did not end"
done
median() { printf '%s\n' "$@" | sort -n | sed -n 4p; }
printf '    Quelvane %s ms, bare Qt window %s ms (runs: %s | %s)\n' \
    "$(median "${program[@]}")" "$(median "${bare[@]}")" "${program[*]}" "${bare[*]}" | tee "$work/startup-wine.txt"
rm "$folder"/bench_*.exe
