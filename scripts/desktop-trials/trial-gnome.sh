#!/bin/bash
# 2. GNOME 43: (a) gnome-shell and mutter as X11 window managers on Xvfb, (b) mutter and gnome-shell
# headless Wayland with a virtual monitor; input injected through org.gnome.Mutter.RemoteDesktop.
# usage: trial-gnome.sh PROGRAM OUTDIR
. "$(dirname "$0")/lib.sh" "$@"
export XDG_SESSION_TYPE=x11 XDG_CURRENT_DESKTOP=GNOME
xvfb 92
for wm in gnome-shell mutter; do
    mkdir -p "$OUT/$wm-x11"; runtime "$OUT/$wm-x11/run"; session_bus
    system_bus        # an empty stand-in: gnome-shell gives up without any system bus
    n=$(( ${#PGIDS[@]} - 1 ))   # this sub-trial's buses and compositor are stopped after it
    start "$OUT/$wm-x11/$wm.log" $wm --replace --x11
    if wait_for 20 is_wm; then
        sleep 3; xdotool key Escape; sleep 1      # gnome-shell starts in the overview
        say "== $wm $(dpkg-query -W -f='${Version}' $wm) as the X11 window manager"
        timeout 200 $PY "$HERE/x11round.py" "$PROG" "$OUT/$wm-x11" "$wm-x11"
        cat "$OUT/$wm-x11/report.txt" >> "$OUT/report.txt"
    else
        say "== $wm --x11 did not start (see $wm-x11/$wm.log)"
    fi
    for p in "${PGIDS[@]:n-1}"; do kill -TERM -- "-$p" 2>/dev/null; done; sleep 2
done
export XDG_SESSION_TYPE=wayland; unset DISPLAY
for wm in mutter gnome-shell; do
    mkdir -p "$OUT/$wm-wayland"; runtime "$OUT/$wm-wayland/run"; session_bus; system_bus
    n=$(( ${#PGIDS[@]} - 1 ))
    start "$OUT/$wm-wayland/$wm.log" $wm --headless --wayland --no-x11 --virtual-monitor 1024x768 --wayland-display=wl-$wm
    if wait_for 20 test -S "$XDG_RUNTIME_DIR/wl-$wm"; then
        sleep 3
        say "== $wm $(dpkg-query -W -f='${Version}' $wm) headless Wayland"
        WAYLAND_DISPLAY=wl-$wm timeout 200 $PY "$HERE/waylandround.py" "$PROG" "$OUT/$wm-wayland" "$wm-wayland" --inject mutter >/dev/null
        cat "$OUT/$wm-wayland/report.txt" | tee -a "$OUT/report.txt" | grep -vE '^ +[0-9.]+ (key|pointer button|xdg_activation)'
    else
        say "== $wm headless Wayland did not start (see $wm-wayland/$wm.log)"
    fi
    for p in "${PGIDS[@]:n-1}"; do kill -TERM -- "-$p" 2>/dev/null; done; sleep 2
done
