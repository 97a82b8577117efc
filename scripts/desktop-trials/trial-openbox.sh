#!/bin/bash
# 1. X11: Openbox with the tint2 task bar on Xvfb.   usage: trial-openbox.sh PROGRAM OUTDIR
. "$(dirname "$0")/lib.sh" "$@"
xvfb 91
session_bus
start "$OUT/openbox.log" openbox
wait_for 10 is_wm || say "openbox did not start"
start "$OUT/tint2.log" tint2
wait_for 10 sh -c 'xdotool search --class tint2 | grep -q .' || say "tint2 did not start"
say "window manager: $(xprop -id "$(xprop -root _NET_SUPPORTING_WM_CHECK | awk '{print $NF}')" _NET_WM_NAME | cut -d= -f2), task bar: tint2 $(dpkg-query -W -f='${Version}' tint2)"
timeout 150 $PY "$HERE/x11round.py" "$PROG" "$OUT" openbox+tint2
# the task bar strip of each screenshot (tint2's default panel: bottom of the screen)
for f in "$OUT"/wrong-open.png "$OUT"/about-open.png; do
    [ -f "$f" ] && convert "$f" -gravity south -crop 1024x40+0+0 +repage "${f%.png}-taskbar.png"
done
say "task-bar strips: $(ls "$OUT"/*-taskbar.png 2>/dev/null | xargs -n1 basename | tr '\n' ' ')"
