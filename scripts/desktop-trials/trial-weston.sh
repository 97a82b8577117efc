#!/bin/bash
# 4. Weston 10, headless backend (pixman renderer), Wayland round driven by AT-SPI; a screenshot through
# weston-screenshooter (needs weston --debug).  usage: trial-weston.sh PROGRAM OUTDIR
. "$(dirname "$0")/lib.sh" "$@"
session_bus
start "$OUT/weston.log" weston --backend=headless-backend.so --use-pixman --width=1024 --height=768 \
      --socket=wl-weston --idle-time=0 --debug
if ! wait_for 20 test -S "$XDG_RUNTIME_DIR/wl-weston"; then say "== weston did not start (see weston.log)"; exit 1; fi
sleep 1
say "== weston $(dpkg-query -W -f='${Version}' weston) headless"
export WAYLAND_DISPLAY=wl-weston
# a screenshot while the wrong-answer window is open (the hook runs at each probe point)
export ROUND_HOOK="cd '$OUT' && timeout 10 weston-screenshooter >/dev/null 2>&1; f=\$(ls -t wayland-screenshot-*.png 2>/dev/null | head -1); [ -n \"\$f\" ] && echo screenshot: \$f || echo 'no screenshot (weston-screenshooter failed)'"
timeout 200 $PY "$HERE/waylandround.py" "$PROG" "$OUT" weston | grep -vE "^ +[0-9.]+ (key|pointer button|xdg_activation)"
