#!/bin/bash
# 3. KWin 5.27: kwin_x11 on Xvfb (X11 round), then kwin_wayland --virtual (Wayland round, driven by AT-SPI).
# KWin's own view of the windows comes from KWin scripting (kwin-windows.sh).  usage: trial-kwin.sh PROGRAM OUTDIR
. "$(dirname "$0")/lib.sh" "$@"
export ROUND_HOOK="$HERE/kwin-windows.sh" QT_LOGGING_RULES="kwin_scripting.debug=true;js.debug=true"
mkdir -p "$OUT/kwin-x11" "$OUT/kwin-wayland"
runtime "$OUT/kwin-x11/run"; session_bus
xvfb 93
export KWIN_LOG="$OUT/kwin-x11/kwin_x11.log" KDE_FULL_SESSION=true XDG_CURRENT_DESKTOP=KDE
n=$(( ${#PGIDS[@]} - 2 ))
start "$KWIN_LOG" kwin_x11 --replace
if wait_for 30 is_wm; then
    sleep 3
    say "== kwin_x11 $(dpkg-query -W -f='${Version}' kwin-x11) on Xvfb"
    timeout 200 $PY "$HERE/x11round.py" "$PROG" "$OUT/kwin-x11" kwin-x11 > /dev/null
    cat "$OUT/kwin-x11/report.txt" | tee -a "$OUT/report.txt"
else
    say "== kwin_x11 did not start (see kwin-x11/kwin_x11.log)"
fi
for p in "${PGIDS[@]:n}"; do kill -TERM -- "-$p" 2>/dev/null; done; sleep 2
unset DISPLAY
runtime "$OUT/kwin-wayland/run"; session_bus
export KWIN_LOG="$OUT/kwin-wayland/kwin_wayland.log" XDG_SESSION_TYPE=wayland
# /usr/bin/kwin_wayland carries a file capability the container refuses to exec; a plain copy runs
KWIN=/usr/bin/kwin_wayland; "$KWIN" --version >/dev/null 2>&1 || { mkdir -p "$OUT/bin"; cp /usr/bin/kwin_wayland "$OUT/bin/"; KWIN="$OUT/bin/kwin_wayland"; }
start "$KWIN_LOG" "$KWIN" --virtual --no-lockscreen --width 1024 --height 768 --socket wl-kwin
if wait_for 30 test -S "$XDG_RUNTIME_DIR/wl-kwin"; then
    sleep 3
    say "== kwin_wayland $(dpkg-query -W -f='${Version}' kwin-wayland) --virtual"
    WAYLAND_DISPLAY=wl-kwin timeout 200 $PY "$HERE/waylandround.py" "$PROG" "$OUT/kwin-wayland" kwin-wayland > /dev/null
    cat "$OUT/kwin-wayland/report.txt" | tee -a "$OUT/report.txt"
else
    say "== kwin_wayland did not start (see kwin-wayland/kwin_wayland.log)"
fi
